// Reading a dropped file list: names in either encoding, shortcuts resolved, names too long to hold left
// out, and blocks from a careless program read without going past their end.

#include "gui/DroppedFiles.h"

#include "gui/Shortcut.h"
#include "tests/gui/AllocationCount.h"
#include "tests/gui/ScratchFiles.h"
#include "tests/gui/TestDataObject.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

namespace {

struct ListCase {
    const char* what;
    std::string block; // the global memory's bytes
    std::vector<std::string> expected;
};

// The names read, and the allocations of the reading: those alive while the names are held, and those
// left behind once they are gone.
struct Reading {
    std::vector<std::string> names;
    long held = 0;
    long leftBehind = 0;
};

Reading read(HGLOBAL list) {
    Reading result;
    const long before = liveAllocations();
    auto* files = new DroppedFiles(list);
    result.held = liveAllocations() - before - 1; // less the object itself
    const long beforeCopies = liveAllocations();
    for (int32_t i = 0; i < files->count(); ++i)
        result.names.push_back(files->items()[i]);
    const long copies = liveAllocations() - beforeCopies;
    delete files;
    result.leftBehind = liveAllocations() - before - copies;
    return result;
}

class DroppedFilesTest : public OleTest {};

TEST_F(DroppedFilesTest, ReadsEveryNameThatFitsWholeAndResolvesShortcuts) {
    ScratchFiles files;
    const std::string target = files.file("the shortcut's target.text");
    const std::string shortcut = files.shortcut("to target.LNK", target);
    ASSERT_FALSE(shortcut.empty()) << "the shell did not save a shortcut";
    const std::string longest(kFileNameCapacity - 1, 'n'), tooLong(kFileNameCapacity, 'n');
    const std::string plain = "C:\\music\\take one.wav", other = "D:\\b.txt";
    const ListCase cases[] = {
        {"narrow names", fileListBlock({plain, other}, false), {plain, other}},
        {"wide names", fileListBlock({plain, other}, true), {plain, other}},
        {"a shortcut", fileListBlock({shortcut, plain}, false), {ScratchFiles::shortPath(target), plain}},
        {"a name too long between two", fileListBlock({plain, tooLong, other}, false), {plain, other}},
        {"the longest name that fits", fileListBlock({longest}, false), {longest}},
        {"a wide name too long", fileListBlock({tooLong, other}, true), {other}},
        {"an empty list", dropFilesHeader(sizeof(DROPFILES), false) + std::string(2, '\0'), {}},
    };
    for (const ListCase& c : cases) {
        HGLOBAL list = globalCopy(c.block);
        const Reading reading = read(list);
        GlobalFree(list);
        EXPECT_EQ(reading.names, c.expected) << c.what;
        EXPECT_GE(reading.held, long(c.expected.size())) << c.what << ": the names were not copied";
        EXPECT_EQ(reading.leftBehind, 0) << c.what;
    }
}

// Nothing of these may be read: DragQueryFileA would follow them past the end of the block.
TEST_F(DroppedFilesTest, CarelessBlocksGiveNoNamesAndAreNotReadPastTheirEnd) {
    const char wideUnterminated[] = {'a', 0, 0, 0, 'b', 0, 'c', 0, 'd', 0, 'e', 0};
    const ListCase cases[] = {
        {"shorter than a header", std::string(10, '\0'), {}},
        {"names beyond the block", dropFilesHeader(200, false) + std::string("a\0\0", 3), {}},
        {"narrow names without an end",
         dropFilesHeader(sizeof(DROPFILES), false) + std::string("a\0bcdefghijk", 12),
         {}},
        {"wide names without an end",
         dropFilesHeader(sizeof(DROPFILES), true) + std::string(wideUnterminated, 12),
         {}},
    };
    for (const ListCase& c : cases) {
        HGLOBAL list = globalCopy(c.block);
        EXPECT_EQ(read(list).names, c.expected) << c.what;
        GlobalFree(list);
    }
    EXPECT_EQ(read(nullptr).names.size(), 0u) << "a null handle";
}

} // namespace

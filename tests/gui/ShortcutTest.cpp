// Shell shortcuts among dropped names: resolved to their targets' short paths by extension in any case;
// everything else, including shortcuts that cannot be resolved, left as it was.

#include "gui/Shortcut.h"

#include "tests/gui/ScratchFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class ShortcutTest : public OleTest {
protected:
    // The name as resolveShortcut leaves it, and what it answered.
    static std::string resolved(const std::string& name, bool& answer) {
        char buffer[kFileNameCapacity] = {};
        std::strncpy(buffer, name.c_str(), kFileNameCapacity - 1);
        answer = resolveShortcut(buffer);
        return buffer;
    }
};

TEST_F(ShortcutTest, ShortcutsBecomeTheirTargetsShortPathsAndOtherNamesStay) {
    ScratchFiles files;
    const std::string target = files.file("a long target name.text");
    const std::string expected = ScratchFiles::shortPath(target);
    ASSERT_FALSE(expected.empty());
    ASSERT_NE(expected, target) << "the target's short path should differ from its long one";
    const std::string shortcuts[] = {files.shortcut("lower.lnk", target), files.shortcut("UPPER.LNK", target),
                                     files.shortcut("Mixed.LnK", target)};
    for (const std::string& shortcut : shortcuts) {
        ASSERT_FALSE(shortcut.empty()) << "the shell did not save a shortcut";
        bool answer = false;
        EXPECT_EQ(resolved(shortcut, answer), expected) << shortcut;
        EXPECT_TRUE(answer) << shortcut;
    }

    const std::string unchanged[] = {
        target,
        files.file("no extension"),
        files.file("broken.lnk"), // a file that is no shortcut
        files.file("archive.lnk.txt"),
        files.file("absent") + ".lnk",
        shortcuts[0] + "\\inside",
        "",
    };
    for (const std::string& name : unchanged) {
        bool answer = true;
        EXPECT_EQ(resolved(name, answer), name);
        EXPECT_FALSE(answer) << name;
    }
}

} // namespace

#pragma once
// Files in a folder of the test's own under the temporary folder, all removed with it: plain files, and
// shell shortcuts to them made with the shell's link object. COM must be initialised on the thread, as
// OleTest does.

#include <gtest/gtest.h>

#include <ole2.h>

#include <string>
#include <vector>

class ScratchFiles {
public:
    ScratchFiles();
    ScratchFiles(const ScratchFiles&) = delete;
    ScratchFiles& operator=(const ScratchFiles&) = delete;
    ~ScratchFiles();

    // The full path of a new file with a few bytes in it.
    std::string file(const std::string& name);
    // The full path of a new shortcut to target; empty if the shell could not save it.
    std::string shortcut(const std::string& name, const std::string& target);
    // The short form of an existing path, as the system gives it.
    static std::string shortPath(const std::string& path);

private:
    std::string folder;
    std::vector<std::string> made;
};

// A test with OLE initialised on its thread, as the shell's link object needs.
class OleTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override { OleUninitialize(); }
};

#pragma once
// The plug-in library next to the test program, loaded with LoadLibrary once for a whole suite; each test
// of the suite fails at once when it did not load.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

class PluginLibrarySuite : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    static HMODULE dll;
};

// The name of the panel's window class in a module: "Plugin" and the module handle's whole value in at
// least eight lower-case hexadecimal digits.
std::string windowClassOf(HMODULE module);

#include "tests/support/PluginLibrary.h"

HMODULE PluginLibrarySuite::dll = nullptr;

void PluginLibrarySuite::SetUpTestSuite() { dll = LoadLibraryA("QuenvaleCompressor.dll"); }

void PluginLibrarySuite::TearDownTestSuite() {
    if (dll) FreeLibrary(dll);
    dll = nullptr;
}

void PluginLibrarySuite::SetUp() { ASSERT_NE(dll, nullptr) << "QuenvaleCompressor.dll did not load"; }

#include "tests/support/PluginLibrary.h"

#include <cinttypes>
#include <cstdio>

HMODULE PluginLibrarySuite::dll = nullptr;

void PluginLibrarySuite::SetUpTestSuite() { dll = LoadLibraryA("QuenvaleCompressor.dll"); }

void PluginLibrarySuite::TearDownTestSuite() {
    if (dll) FreeLibrary(dll);
    dll = nullptr;
}

void PluginLibrarySuite::SetUp() { ASSERT_NE(dll, nullptr) << "QuenvaleCompressor.dll did not load"; }

std::string windowClassOf(HMODULE module) {
    char name[32];
    std::snprintf(name, sizeof name, "Plugin%08" PRIxPTR, reinterpret_cast<uintptr_t>(module));
    return name;
}

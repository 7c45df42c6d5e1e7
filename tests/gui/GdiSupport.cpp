#include "tests/gui/GdiSupport.h"

#include "gui/Frame.h"
#include "gui/ModuleHandle.h"

HMODULE PluginLibraryTest::dll = nullptr;

void PluginLibraryTest::SetUpTestSuite() { dll = LoadLibraryA("QuenvaleCompressor.dll"); }

void PluginLibraryTest::TearDownTestSuite() { FreeLibrary(dll); }

void PluginLibraryTest::SetUp() {
    ASSERT_NE(dll, nullptr) << "QuenvaleCompressor.dll did not load";
    moduleHandle = dll;
}

HWND windowOf(const Frame& frame) { return static_cast<HWND>(frame.windowHandle()); }

void ScriptedPointer::pointAt(HWND window, Point where) {
    RECT outer{};
    GetWindowRect(window, &outer);
    cursor = {outer.left + where.x, outer.top + where.y};
}

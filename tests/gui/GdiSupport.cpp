#include "tests/gui/GdiSupport.h"

#include "gui/Frame.h"
#include "gui/ModuleHandle.h"

void PluginLibraryTest::SetUp() {
    ASSERT_NO_FATAL_FAILURE(PluginLibrarySuite::SetUp());
    moduleHandle = dll;
}

HWND windowOf(const Frame& frame) { return static_cast<HWND>(frame.windowHandle()); }

void ScriptedPointer::pointAt(HWND window, Point where) {
    RECT outer{};
    GetWindowRect(window, &outer);
    cursor = {outer.left + where.x, outer.top + where.y};
}

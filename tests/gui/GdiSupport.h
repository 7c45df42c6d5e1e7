#pragma once
// Test helpers for the toolkit over real GDI: the plug-in library as the toolkit's module, a frame's
// window, and a scripted source of mouse button state and cursor position.

#include "gui/PointerInput.h"
#include "tests/support/HostWindow.h"
#include "tests/support/PixelGrid.h"
#include "tests/support/PluginLibrary.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <set>

class Frame;

// The frame's own window.
HWND windowOf(const Frame& frame);

// Makes the plug-in library, loaded once per suite, the module that names the toolkit's window class and
// owns its pictures.
class PluginLibraryTest : public PluginLibrarySuite {
protected:
    void SetUp() override;
};

// Puts itself in place of the system's key state and cursor for its lifetime.
class ScriptedPointer final : public PointerInput {
public:
    ScriptedPointer() { PointerInput::use(this); }
    ScriptedPointer(const ScriptedPointer&) = delete;
    ScriptedPointer& operator=(const ScriptedPointer&) = delete;
    ~ScriptedPointer() { PointerInput::use(nullptr); }

    bool isHeld(int virtualKey) override { return held.count(virtualKey) != 0; }
    bool wasHeldAtMessage(int virtualKey) override {
        return heldAtMessage ? heldAtMessage->count(virtualKey) != 0 : isHeld(virtualKey);
    }
    Point screenCursor() override { return cursor; }
    // Moves the cursor over a point given relative to the window's top-left corner.
    void pointAt(HWND window, Point where);

    std::set<int> held;
    std::optional<std::set<int>> heldAtMessage; // when the message state differs from the present
    Point cursor{0, 0};
};

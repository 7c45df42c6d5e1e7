#pragma once
// Test helpers over real GDI: a 32-bit canvas whose pixels can be read back, the pixels of a bitmap as
// GDI converts them, and a scripted source of mouse button state and cursor position.

#include "gui/PointerInput.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <optional>
#include <set>
#include <vector>

// Pixels are 0x00RRGGBB.
using Pixel = uint32_t;

constexpr Pixel rgb(int red, int green, int blue) {
    return Pixel(red) << 16 | Pixel(green) << 8 | Pixel(blue);
}

class Frame;

// The frame's own window.
HWND windowOf(const Frame& frame);

// A visible top-level window of a plain class, standing in for a host's; the caller destroys it.
HWND createHostWindow(int left, int top, int width, int height);

// A memory device drawing into a top-down 32-bit DIB section.
class Canvas {
public:
    Canvas(int width, int height);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas();

    void fill(Pixel colour);
    Pixel at(int x, int y) const;
    HDC device() const { return memory; }
    int width() const { return columns; }
    int height() const { return rows; }

private:
    int columns;
    int rows;
    Pixel* bits = nullptr;
    HBITMAP section;
    HDC memory;
    HGDIOBJ previous;
};

// A bitmap's pixels, top row first, as GDI hands them out in 32 bits.
class PixelGrid {
public:
    PixelGrid(HBITMAP bitmap, HDC reference);
    Pixel at(int x, int y) const { return pixels[static_cast<size_t>(y) * columns + x]; }
    int width() const { return columns; }
    int height() const { return rows; }

private:
    int columns = 0;
    int rows = 0;
    std::vector<Pixel> pixels;
};

// The pixels of a bitmap resource of the module, as GDI converts them for the reference device.
PixelGrid loadPixels(HMODULE module, int resource, HDC reference);

// Loads the plug-in library once per suite and makes it the module that names the toolkit's window
// class and owns its pictures.
class PluginLibraryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    static HMODULE dll;
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

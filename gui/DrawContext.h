#pragma once
// One pass of drawing or of mouse handling on a window's device context. The context selects a pen and
// a brush of its own and puts the device's previous ones back when it goes; the device itself belongs
// to whoever made the context.

#include "gui/Geometry.h"

#include <windows.h>

class Frame;
class PointerInput;

class DrawContext {
public:
    static constexpr int32_t kSolid = 0;
    static constexpr int32_t kDotted = 1;

    // Mouse button and modifier bits of mouseButtons.
    static constexpr int32_t kPrimaryButton = 1;
    static constexpr int32_t kMiddleButton = 2;
    static constexpr int32_t kSecondaryButton = 4;
    static constexpr int32_t kShift = 8;
    static constexpr int32_t kControl = 16;
    static constexpr int32_t kAlt = 32;

    // Any of the three may be null.
    DrawContext(Frame* frame, HDC device, HWND window);
    DrawContext(const DrawContext&) = delete;
    DrawContext& operator=(const DrawContext&) = delete;
    virtual ~DrawContext();

    void setLineColour(Colour colour);
    void setLineStyle(int32_t style);
    void setFillColour(Colour colour);
    void moveTo(Point point);
    void lineTo(Point point);

    // Buttons and modifiers held at the moment of the call.
    int32_t mouseButtons() const;
    // Buttons and modifiers held when the message being handled was sent. A press is judged by these:
    // the present state may already have moved on, and under some systems it lags behind the message.
    int32_t pressButtons() const;
    // The cursor relative to the window's top-left corner.
    Point& cursorPosition(Point& out) const;

    HDC deviceContext() const { return device; }
    Point originOffset() const { return origin; }
    const Rect& clipArea() const { return clipRect; }

private:
    int32_t buttonsWhere(bool (PointerInput::*held)(int)) const;
    void rebuildPen();
    void rebuildBrush();
    template <typename Handle> void adopt(Handle& owned, Handle created);

    Point windowOrigin{0, 0};
    Point origin{0, 0};
    HDC device;
    HWND window;
    Frame* frame;
    Colour textColour{255, 255, 255, 0};
    int32_t lineWidth = 1;
    Colour lineColour{255, 255, 255, 0};
    Colour fillColour{0, 0, 0, 0};
    int32_t lineStyle = kSolid;
    Rect clipRect{0, 0, 1000, 1000};
    HBRUSH brush = nullptr;
    HPEN pen = nullptr;
    HGDIOBJ previousBrush = nullptr;
    HGDIOBJ previousPen = nullptr;
    HGDIOBJ previousFont = nullptr;
    int32_t penStyle = PS_SOLID;
};

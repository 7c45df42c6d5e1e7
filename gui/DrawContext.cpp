#include "gui/DrawContext.h"

#include "gui/Frame.h"
#include "gui/PointerInput.h"
#include "gui/ToolkitState.h"

#include <initializer_list>

DrawContext::DrawContext(Frame* owner, HDC deviceHandle, HWND windowHandle)
    : device(deviceHandle), window(windowHandle), frame(owner) {
    if (frame) frame->bounds(clipRect);
    if (device) {
        previousBrush = GetCurrentObject(device, OBJ_BRUSH);
        previousPen = GetCurrentObject(device, OBJ_PEN);
        previousFont = GetCurrentObject(device, OBJ_FONT);
        SetBkMode(device, TRANSPARENT);
    }
    if (window) {
        RECT outer{};
        GetWindowRect(window, &outer);
        windowOrigin = {outer.left, outer.top};
    }
    if (device) {
        setLineColour(lineColour);
        setLineStyle(lineStyle);
        setFillColour(fillColour);
        SetTextColor(device, textColour.rgbValue());
    }
}

DrawContext::~DrawContext() {
    for (HGDIOBJ previous : {previousBrush, previousPen, previousFont})
        if (previous) SelectObject(device, previous);
    if (brush) DeleteObject(brush);
    if (pen) DeleteObject(pen);
}

void DrawContext::setLineColour(Colour colour) {
    lineColour = colour;
    rebuildPen();
}

void DrawContext::setLineStyle(int32_t style) {
    lineStyle = style == kDotted ? kDotted : kSolid;
    rebuildPen();
}

void DrawContext::setFillColour(Colour colour) {
    fillColour = colour;
    if (device) SetBkColor(device, fillColour.rgbValue());
    rebuildBrush();
}

void DrawContext::moveTo(Point point) { MoveToEx(device, point.x + origin.x, point.y + origin.y, nullptr); }

void DrawContext::lineTo(Point point) { LineTo(device, point.x + origin.x, point.y + origin.y); }

int32_t DrawContext::mouseButtons() const { return buttonsWhere(&PointerInput::isHeld); }

int32_t DrawContext::pressButtons() const { return buttonsWhere(&PointerInput::wasHeldAtMessage); }

int32_t DrawContext::buttonsWhere(bool (PointerInput::*held)(int)) const {
    const struct {
        int key;
        int32_t bit;
    } reads[] = {
        {swapButtons ? VK_RBUTTON : VK_LBUTTON, kPrimaryButton},
        {VK_MBUTTON, kMiddleButton},
        {swapButtons ? VK_LBUTTON : VK_RBUTTON, kSecondaryButton},
        {VK_SHIFT, kShift},
        {VK_CONTROL, kControl},
        {VK_MENU, kAlt},
    };
    PointerInput& input = PointerInput::current();
    int32_t buttons = 0;
    for (const auto& read : reads)
        if ((input.*held)(read.key)) buttons |= read.bit;
    return buttons;
}

Point& DrawContext::cursorPosition(Point& out) const {
    const Point screen = PointerInput::current().screenCursor();
    out = {screen.x - windowOrigin.x, screen.y - windowOrigin.y};
    return out;
}

// The pen and brush are rebuilt on every call, even when nothing changed; a context without a device
// only remembers the values.
void DrawContext::rebuildPen() {
    penStyle = lineStyle == kDotted ? PS_DOT : PS_SOLID;
    if (!device) return;
    LOGPEN description{static_cast<UINT>(penStyle), {lineWidth, 0}, lineColour.rgbValue()};
    adopt(pen, CreatePenIndirect(&description));
}

void DrawContext::rebuildBrush() {
    if (!device) return;
    LOGBRUSH description{BS_SOLID, fillColour.rgbValue(), 0};
    adopt(brush, CreateBrushIndirect(&description));
}

// Selects a newly created object and deletes the one it replaces; a failed creation keeps the old one.
template <typename Handle> void DrawContext::adopt(Handle& owned, Handle created) {
    if (!created) return;
    SelectObject(device, created);
    if (owned) DeleteObject(owned);
    owned = created;
}

#include "gui/Knob.h"

#include "gui/Bitmap.h"
#include "gui/DrawContext.h"
#include "gui/Frame.h"
#include "gui/KnobDrag.h"

namespace {

constexpr double kFineStep = 0.1; // of a wheel or key step, while shift is held

} // namespace

Knob::Knob(const Rect& bounds, ControlListener* changeListener, int32_t tag, Bitmap* backgroundBitmap,
           Bitmap* handle, Point faceOffset)
    : Control(bounds, changeListener, tag, backgroundBitmap), bitmapOffset(faceOffset),
      geometry(float(bounds.width()) * 0.5f, minimum, maximum) {
    adoptHandleBitmap(handle);
    markDirty(true); // as the angle setters would
}

void Knob::draw(DrawContext* context) {
    drawBitmap(context, background.get(), boundsRect, bitmapOffset);
    drawHandle(context);
    markDirty(false);
}

void Knob::mouseDown(DrawContext* context, Point where) {
    if (!mouseEnabled() || !context) return;
    const int32_t buttons = context->pressButtons();
    if (!(buttons & DrawContext::kPrimaryButton)) return;
    if (buttons == (DrawContext::kPrimaryButton | DrawContext::kControl)) return restoreDefault(context);
    const bool linearMode = frame && frame->knobMode() == kLinearKnobs;
    const bool alt = buttons & DrawContext::kAlt;
    if (linearMode != alt)
        dragLinearly(context, where, buttons);
    else
        dragAround(context, where);
}

// No edit notices: the change is a single step, not a gesture the host must bracket.
void Knob::restoreDefault(DrawContext* context) {
    value = getDefaultValue();
    reportChange(context);
}

void Knob::dragLinearly(DrawContext* context, Point where, int32_t buttons) {
    LinearDrag drag(where, value, maximum - minimum, fineFactor, buttons & DrawContext::kShift);
    followPointer(context, where, [&](Point at, int32_t held) {
        value = drag.follow(at, held & DrawContext::kShift);
        clampValue();
    });
}

void Knob::dragAround(DrawContext* context, Point where) {
    const auto ownPoint = [this](Point at) { return Point{at.x - boundsRect.left, at.y - boundsRect.top}; };
    CircularDrag drag(pointToValue(ownPoint(where)), minimum, maximum);
    followPointer(context, where,
                  [&](Point at, int32_t) { value = drag.follow(pointToValue(ownPoint(at))); });
}

// The loop polls rather than waiting for messages: the host's thread is held here for the whole drag,
// and pumpIdle keeps the panel and the host alive meanwhile. The pass that first sees the button
// released still applies the last movement. A host that closes the panel from any request of the drag
// (the begin-edit, a change, the idle) ends the loop at its next step: the closed frame's knob reports
// to no one, the close itself ends the edit towards the host, and the frame outlives the press.
template <typename Follow> void Knob::followPointer(DrawContext* context, Point where, Follow follow) {
    if (frame) {
        frame->beginEdit(controlTag);
        frame->setFocusView(this);
    }
    Point lastPoint{-1, -1};
    int32_t buttons;
    do {
        buttons = context->mouseButtons();
        if (where.x != lastPoint.x || where.y != lastPoint.y) {
            lastPoint = where;
            follow(where, buttons);
            reportChange(context);
        }
        context->cursorPosition(where);
        pumpIdle();
    } while ((buttons & DrawContext::kPrimaryButton) && (!frame || frame->open()));
    if (frame) frame->endEdit(controlTag);
}

int32_t Knob::keyDown(VstKeyCode& key) {
    switch (key.virt) {
    case VKEY_LEFT:
    case VKEY_DOWN:
        nudge(nullptr, -wheelStep, key.modifier & MODIFIER_SHIFT);
        return 1;
    case VKEY_UP:
    case VKEY_RIGHT:
        nudge(nullptr, wheelStep, key.modifier & MODIFIER_SHIFT);
        return 1;
    default:
        return -1;
    }
}

bool Knob::wheelTurned(DrawContext* context, Point, float distance) {
    if (!mouseEnabled()) return false;
    const bool fine = context && (context->mouseButtons() & DrawContext::kShift);
    nudge(context, distance * wheelStep, fine);
    return true;
}

void Knob::nudge(DrawContext* context, float delta, bool fine) {
    const ValueGrid grid(maximum - minimum);
    value = grid.moved(value, grid.steps(delta) * (fine ? kFineStep : 1.0));
    clampValue();
    reportChange(context);
}

void Knob::drawHandle(DrawContext* context) {
    if (!context) return;
    Point tip;
    valueToHandlePoint(tip);
    if (!handleBitmap) return drawHandleLine(*context, tip);
    const int32_t width = handleBitmap->width, height = handleBitmap->height;
    const int32_t x = boundsRect.left + tip.x - width / 2, y = boundsRect.top + tip.y - height / 2;
    handleBitmap->drawTransparent(*context, {x, y, x + width, y + height}, {0, 0});
}

// The shadow line, then the handle one pixel up and to the right of it.
void Knob::drawHandleLine(DrawContext& context, Point tip) {
    const Point origin{boundsRect.left + boundsRect.width() / 2 - 1,
                       boundsRect.top + boundsRect.height() / 2};
    const Point end{boundsRect.left + tip.x - 1, boundsRect.top + tip.y};
    const auto stroke = [&context](Colour colour, Point from, Point to) {
        context.setLineColour(colour);
        context.moveTo(from);
        context.lineTo(to);
    };
    stroke(handleShadowColour, origin, end);
    stroke(handleColour, {origin.x + 1, origin.y - 1}, {end.x + 1, end.y - 1});
}

void Knob::setStartAngle(float angle) {
    geometry.setStartAngle(angle, minimum, maximum);
    markDirty(true);
}

void Knob::setRangeAngle(float angle) {
    geometry.setRangeAngle(angle, minimum, maximum);
    markDirty(true);
}

Point& Knob::valueToHandlePoint(Point& out) {
    out = geometry.handlePoint(value);
    return out;
}

float Knob::pointToValue(Point where) { return geometry.pointToValue(where, minimum, maximum); }

void Knob::setHandleShadowColour(Colour colour) {
    handleShadowColour = colour;
    markDirty(true);
}

void Knob::setHandleColour(Colour colour) {
    handleColour = colour;
    markDirty(true);
}

void Knob::setHandleBitmap(Bitmap* bitmap) { adoptHandleBitmap(bitmap); }

void Knob::adoptHandleBitmap(Bitmap* bitmap) {
    handleBitmap.reset(bitmap);
    if (bitmap) geometry.setInset(int32_t(bitmap->width * 0.5 + 2.5));
}

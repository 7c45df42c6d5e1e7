#include "gui/Control.h"

#include "gui/Bitmap.h"
#include "gui/ControlListener.h"
#include "gui/Frame.h"

Control::Control(const Rect& bounds, ControlListener* changeListener, int32_t tag, Bitmap* backgroundBitmap)
    : View(bounds), listener(changeListener), controlTag(tag), background(backgroundBitmap) {}

bool Control::needsRedraw() { return dirty || !(drawnValue == value); }

// -1 is a value like any other, so marking a control that holds it needs another stand-in.
void Control::markDirty(bool state) {
    dirty = state;
    if (state)
        drawnValue = value == -1.0f ? 0.0f : -1.0f;
    else
        drawnValue = value;
}

void Control::pumpIdle() {
    if (frame) frame->pumpIdle();
}

void Control::clampValue() {
    if (value > maximum)
        value = maximum;
    else if (value < minimum)
        value = minimum;
}

bool Control::inOpenFrame() const { return !frame || frame->open(); }

// The listener of a closed frame's control may be gone with its plug-in.
void Control::reportChange(DrawContext* context) {
    if (listener && inOpenFrame() && needsRedraw()) listener->valueChanged(context, this);
}

void Control::drawBitmap(DrawContext* context, Bitmap* bitmap, const Rect& area, Point source) {
    if (!context || !bitmap) return;
    if (transparent)
        bitmap->drawTransparent(*context, area, source);
    else
        bitmap->drawOpaque(*context, area, source);
}

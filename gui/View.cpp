#include "gui/View.h"

#include "gui/Frame.h"

View::View(const Rect& bounds) : boundsRect(bounds), mouseAreaRect(bounds) {}

void View::draw(DrawContext*) { markDirty(false); }

void View::drawInRect(DrawContext* context, const Rect&) { draw(context); }

bool View::overlaps(const Rect& area) { return boundsRect.meets(area); }

void View::redrawIfDirty(DrawContext* context) {
    if (!needsRedraw()) return;
    draw(context);
    markDirty(false);
}

Rect& View::mouseArea(Rect& out) {
    out = mouseAreaRect;
    return out;
}

bool View::hitTest(Point where, int32_t) { return boundsRect.contains(where); }

void View::setBounds(const Rect& area) {
    boundsRect = area;
    markDirty(true);
}

Rect& View::bounds(Rect& out) {
    out = boundsRect;
    return out;
}

// Asked through the slot the frame overrides; the frame is only ever seen here as a view.
FrameOwner* View::ownerEditor() { return frame ? static_cast<View*>(frame)->ownerEditor() : nullptr; }

void View::releaseReference() {
    if (references <= 0) return;
    if (--references == 0) delete this;
}

#include "gui/LedMeter.h"

#include "gui/Bitmap.h"
#include "gui/MeterSegments.h"

#include <algorithm>
#include <cmath>

LedMeter::LedMeter(const Rect& bounds, Bitmap* lit, Bitmap* unlit, int32_t segments, int32_t direction)
    : Control(bounds, nullptr, 0, nullptr), litBitmap(lit), unlitBitmap(unlit), segmentCount(segments),
      orientation(direction) {}

void LedMeter::draw(DrawContext* context) {
    if (!litBitmap) return;
    clampValue();
    drawnValue = nextShownLevel(drawnValue, value, fallStep);
    if (orientation & kHorizontal)
        drawHorizontal(context);
    else
        drawVertical(context);
}

bool LedMeter::needsRedraw() {
    if (std::isnan(value)) return dirty || drawnValue != 0.0f;
    return Control::needsRedraw();
}

// Lit segments from the left edge; the edge never passes the meter's own bounds.
void LedMeter::drawHorizontal(DrawContext* context) {
    const Rect area = boundsRect.normalised();
    const int32_t edge = std::min(segmentEdge(drawnValue, segmentCount, litBitmap->width), area.width());
    drawBar(context, {area.left + edge, area.top, area.right, area.bottom}, {edge, 0},
            {area.left, area.top, area.left + edge, area.bottom}, {0, 0});
}

// Counted as unlit segments down from the top; the lit part is the lower rows of its picture.
void LedMeter::drawVertical(DrawContext* context) {
    const Rect area = boundsRect.normalised();
    const int32_t edge =
        std::min(segmentEdge(maximum - drawnValue, segmentCount, litBitmap->height), area.height());
    drawBar(context, {area.left, area.top, area.right, area.top + edge}, {0, 0},
            {area.left, area.top + edge, area.right, area.bottom}, {0, edge});
}

void LedMeter::drawBar(DrawContext* context, const Rect& unlitArea, Point unlitSource, const Rect& litArea,
                       Point litSource) {
    drawBitmap(context, unlitBitmap.get(), unlitArea, unlitSource);
    drawBitmap(context, litBitmap.get(), litArea, litSource);
}

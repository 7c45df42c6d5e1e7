#include "MeterBarPainter.h"

#include "Canvas.h"
#include "Palette.h"
#include "Quantiser.h"

namespace meterBar {

namespace {

// Segment 0 is the top one.
Colour segmentColour(int segment, bool lit) {
    const Colour hue = segment < amberSegments ? palette::meterAmber : palette::meterGreen;
    return lit ? hue : mix(palette::meterGap, hue, 0.2);
}

void fillRect(cairo_t* cr, int x, int y, int w, int h, Colour colour) {
    setColour(cr, colour);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
}

} // namespace

Image16 paint(bool lit) {
    Canvas canvas(width, height);
    cairo_t* cr = canvas.context();
    fillRect(cr, 0, 0, width, height, palette::meterGap);
    for (int segment = 0; segment < segments; ++segment) {
        const int top = segment * rowsPerSegment + 1;
        const Colour colour = segmentColour(segment, lit);
        // Rounded-looking segments: the outer columns a shade darker than the middle.
        fillRect(cr, 0, top, width, rowsPerSegment - 1, mix(palette::meterGap, colour, 0.7));
        fillRect(cr, 1, top, width - 2, rowsPerSegment - 1, colour);
    }
    return quantise(canvas);
}

} // namespace meterBar

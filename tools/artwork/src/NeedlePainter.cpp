#include "NeedlePainter.h"

#include "GainReductionScale.h"
#include "Palette.h"
#include "Shapes.h"

namespace {

void stroke(cairo_t* cr, Point pivot, double degrees, Colour colour, double alpha) {
    const Point tip = polar(pivot, gainReduction::needleLength, degrees);
    setColour(cr, colour, alpha);
    cairo_move_to(cr, pivot.x, pivot.y);
    cairo_line_to(cr, tip.x, tip.y);
    cairo_stroke(cr);
}

} // namespace

void NeedlePainter::paint(cairo_t* cr, double value) const {
    const Rect& area = layout::gainReductionNeedle;
    const Point pivot{gainReduction::pivot.x - area.left, gainReduction::pivot.y - area.top};
    const double degrees = gainReduction::needleDegrees(value);

    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 1.6);
    stroke(cr, {pivot.x + 1.5, pivot.y + 2}, degrees, rgb(0x000000), 0.18);
    cairo_set_line_width(cr, 1.3);
    stroke(cr, pivot, degrees, palette::meterInk, 1);
}

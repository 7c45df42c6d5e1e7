#include "KnobPainter.h"

#include "Palette.h"
#include "Shapes.h"

namespace {

constexpr Point centre{33, 33};
constexpr double skirtRadius = 20.5;
constexpr double capRadius = 13.5;
constexpr int knurlGrooves = 28;

void line(cairo_t* cr, double fromRadius, double toRadius, double degrees) {
    const Point from = polar(centre, fromRadius, degrees);
    const Point to = polar(centre, toRadius, degrees);
    cairo_move_to(cr, from.x, from.y);
    cairo_line_to(cr, to.x, to.y);
    cairo_stroke(cr);
}

void paintSkirt(cairo_t* cr, double degrees) {
    litDisc(cr, centre, skirtRadius, palette::knobSkirtLight, palette::knobSkirtDark);
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < knurlGrooves; ++i) {
        setColour(cr, rgb(0x000000), 0.45);
        line(cr, skirtRadius - 3, skirtRadius, degrees + 360.0 * i / knurlGrooves);
    }
    setColour(cr, rgb(0x000000), 0.6);
    cairo_arc(cr, centre.x, centre.y, skirtRadius - 0.5, 0, 2 * pi);
    cairo_stroke(cr);

    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 2.2);
    setColour(cr, palette::legend);
    line(cr, capRadius + 2, skirtRadius - 1.5, degrees);
}

void paintCap(cairo_t* cr, double degrees) {
    // A thin dark step between skirt and cap, then the cap lit from the upper left.
    setColour(cr, rgb(0x000000), 0.5);
    cairo_arc(cr, centre.x + 0.4, centre.y + 0.7, capRadius + 0.8, 0, 2 * pi);
    cairo_fill(cr);
    litDisc(cr, centre, capRadius, palette::knobCapLight, palette::knobCapDark);

    // Spun-metal rings catch a little light.
    cairo_set_line_width(cr, 0.6);
    for (double r = 3; r < capRadius - 1; r += 2.5) {
        setColour(cr, rgb(0xffffff), 0.10);
        cairo_arc(cr, centre.x, centre.y, r, 0, 2 * pi);
        cairo_stroke(cr);
    }

    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 2);
    setColour(cr, palette::pointerInk);
    line(cr, 4, capRadius - 2, degrees);
}

} // namespace

void KnobPainter::paint(cairo_t* cr, double value) const {
    const double degrees = dialDegrees(value);
    dropShadow(cr, centre, skirtRadius, 3, 0.7);
    paintSkirt(cr, degrees);
    paintCap(cr, degrees);
}

DialScale knobScale() {
    return {
        {"0", "2", "4", "6", "8", "10"}, 2, 23.5, 26.5, 33, {Typeface::CondensedBold, 8, palette::legend}};
}

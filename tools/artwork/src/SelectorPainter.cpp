#include "SelectorPainter.h"

#include "Palette.h"
#include "Shapes.h"

namespace {

constexpr Point centre{36, 36};
constexpr double hubRadius = 16;
constexpr double tipReach = 24;
constexpr double tailReach = 20;
constexpr double barHalfWidth = 6.5;

// The bar's outline, pointing right from the origin; the caller turns it into place.
void barOutline(cairo_t* cr) {
    cairo_move_to(cr, tipReach - 3, -2.5);
    cairo_curve_to(cr, tipReach, -2.2, tipReach + 0.8, -1, tipReach + 0.8, 0);
    cairo_curve_to(cr, tipReach + 0.8, 1, tipReach, 2.2, tipReach - 3, 2.5);
    cairo_line_to(cr, 6, barHalfWidth);
    cairo_line_to(cr, -tailReach + barHalfWidth, barHalfWidth);
    cairo_arc(cr, -tailReach + barHalfWidth, 0, barHalfWidth, pi / 2, 3 * pi / 2);
    cairo_line_to(cr, 6, -barHalfWidth);
    cairo_close_path(cr);
}

void turnTo(cairo_t* cr, Point origin, double degrees) {
    cairo_identity_matrix(cr);
    cairo_translate(cr, origin.x, origin.y);
    cairo_rotate(cr, -degrees * pi / 180);
}

// Fills the bar lit from the upper left whichever way it is turned: the gradient is set unrotated.
void fillBar(cairo_t* cr, double degrees) {
    cairo_pattern_t* gradient = cairo_pattern_create_linear(centre.x - tipReach, centre.y - tipReach,
                                                            centre.x + tipReach, centre.y + tipReach);
    addStop(gradient, 0, rgb(0x5a5f66));
    addStop(gradient, 0.5, rgb(0x25272b));
    addStop(gradient, 1, rgb(0x0b0c0e));
    cairo_identity_matrix(cr);
    cairo_set_source(cr, gradient);
    turnTo(cr, centre, degrees);
    barOutline(cr);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);
}

} // namespace

void SelectorPainter::paint(cairo_t* cr, double value) const {
    const double degrees = dialDegrees(value);
    dropShadow(cr, centre, hubRadius, 3, 0.7);
    litDisc(cr, centre, hubRadius, palette::knobCapLight, palette::knobCapDark);
    setColour(cr, rgb(0x000000), 0.5);
    cairo_set_line_width(cr, 1);
    cairo_arc(cr, centre.x, centre.y, hubRadius - 0.5, 0, 2 * pi);
    cairo_stroke(cr);

    // The bar stands on an aluminium hub and casts its shadow down and to the right.
    turnTo(cr, {centre.x + 1.2, centre.y + 2}, degrees);
    barOutline(cr);
    setColour(cr, rgb(0x000000), 0.5);
    cairo_fill(cr);

    fillBar(cr, degrees);
    turnTo(cr, centre, degrees);
    barOutline(cr);
    cairo_set_line_width(cr, 0.8);
    setColour(cr, rgb(0x000000), 0.8);
    cairo_stroke(cr);

    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 2);
    setColour(cr, palette::legend);
    cairo_move_to(cr, 2, 0);
    cairo_line_to(cr, tipReach - 3, 0);
    cairo_stroke(cr);
}

DialScale selectorScale() {
    return {{"1", "2", "3", "4", "5", "6"}, 1, 28, 28.5, 35.5, {Typeface::SansBold, 9, palette::legend}};
}

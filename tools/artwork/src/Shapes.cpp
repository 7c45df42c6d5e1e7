#include "Shapes.h"

#include "Palette.h"

#include <cmath>

namespace {

// A linear gradient across a box from its upper-left to its lower-right corner.
cairo_pattern_t* diagonalGradient(double x, double y, double width, double height, Colour light,
                                  Colour dark) {
    cairo_pattern_t* gradient = cairo_pattern_create_linear(x, y, x + width, y + height);
    addStop(gradient, 0, light);
    addStop(gradient, 1, dark);
    return gradient;
}

} // namespace

Point polar(Point centre, double radius, double degrees) {
    const double radians = degrees * pi / 180;
    return {centre.x + radius * std::cos(radians), centre.y - radius * std::sin(radians)};
}

void roundedRectangle(cairo_t* cr, double x, double y, double width, double height, double radius) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + width - radius, y + radius, radius, -pi / 2, 0);
    cairo_arc(cr, x + width - radius, y + height - radius, radius, 0, pi / 2);
    cairo_arc(cr, x + radius, y + height - radius, radius, pi / 2, pi);
    cairo_arc(cr, x + radius, y + radius, radius, pi, 3 * pi / 2);
    cairo_close_path(cr);
}

void dropShadow(cairo_t* cr, Point centre, double radius, double spread, double opacity) {
    const Point offset{centre.x + spread * 0.35, centre.y + spread * 0.55};
    cairo_pattern_t* shadow = cairo_pattern_create_radial(offset.x, offset.y, radius - spread * 0.5, offset.x,
                                                          offset.y, radius + spread);
    addStop(shadow, 0, rgb(0x000000), opacity);
    addStop(shadow, 1, rgb(0x000000), 0);
    cairo_set_source(cr, shadow);
    cairo_arc(cr, offset.x, offset.y, radius + spread, 0, 2 * pi);
    cairo_fill(cr);
    cairo_pattern_destroy(shadow);
}

void litDisc(cairo_t* cr, Point centre, double radius, Colour light, Colour dark) {
    cairo_pattern_t* gradient =
        diagonalGradient(centre.x - radius, centre.y - radius, 2 * radius, 2 * radius, light, dark);
    cairo_set_source(cr, gradient);
    cairo_arc(cr, centre.x, centre.y, radius, 0, 2 * pi);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);
}

void screw(cairo_t* cr, Point centre, double slotDegrees) {
    constexpr double radius = 5;
    dropShadow(cr, centre, radius, 2, 0.6);
    litDisc(cr, centre, radius, rgb(0xd9dbde), rgb(0x5d6167));
    cairo_set_line_width(cr, 1);
    setColour(cr, rgb(0x000000), 0.35);
    cairo_arc(cr, centre.x, centre.y, radius - 0.5, 0, 2 * pi);
    cairo_stroke(cr);

    const Point a = polar(centre, radius - 1, slotDegrees);
    const Point b = polar(centre, radius - 1, slotDegrees + 180);
    cairo_set_line_width(cr, 1.6);
    setColour(cr, rgb(0x26282c));
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    cairo_stroke(cr);
}

void recess(cairo_t* cr, double x, double y, double width, double height, double radius) {
    cairo_pattern_t* bevel =
        diagonalGradient(x, y, width, height, palette::plateShadow, palette::plateHighlight);
    cairo_set_source(cr, bevel);
    roundedRectangle(cr, x - 1.5, y - 1.5, width + 3, height + 3, radius + 1.5);
    cairo_fill(cr);
    cairo_pattern_destroy(bevel);
}

void groove(cairo_t* cr, Point from, Point to) {
    cairo_set_line_width(cr, 1);
    setColour(cr, palette::plateShadow);
    cairo_move_to(cr, from.x, from.y);
    cairo_line_to(cr, to.x, to.y);
    cairo_stroke(cr);
    setColour(cr, palette::plateHighlight);
    cairo_move_to(cr, from.x + 1, from.y + 1);
    cairo_line_to(cr, to.x + 1, to.y + 1);
    cairo_stroke(cr);
}

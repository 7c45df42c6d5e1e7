#include "GainReductionFace.h"

#include "GainReductionScale.h"
#include "Palette.h"
#include "Shapes.h"

#include <string>

namespace {

using gainReduction::pivot;

constexpr double faceLeft = 42, faceTop = 82, faceWidth = 136, faceHeight = 112;
// The needle just reaches the arc; the marks stand outside it.
constexpr double arcRadius = gainReduction::needleLength + 1.5;
constexpr double majorTickRadius = arcRadius + 6.5;
constexpr double minorTickRadius = arcRadius + 4;
constexpr double labelRadius = arcRadius + 14;

struct Mark {
    double decibels;
    const char* label; // empty for a minor tick
};

constexpr Mark marks[] = {{0, "0"}, {1, ""}, {2, "2"},   {3, ""},  {4, "4"},  {5, ""},
                          {6, "6"}, {8, ""}, {10, "10"}, {15, ""}, {20, "20"}};

double markDegrees(double decibels) {
    return gainReduction::needleDegrees(gainReduction::travelFraction(decibels));
}

void arc(cairo_t* cr, double radius, double fromFraction, double toFraction) {
    // Cairo angles run clockwise from three o'clock, the opposite sense to polar().
    const double from = -gainReduction::needleDegrees(fromFraction) * pi / 180;
    const double to = -gainReduction::needleDegrees(toFraction) * pi / 180;
    cairo_new_sub_path(cr);
    cairo_arc(cr, pivot.x, pivot.y, radius, from, to);
    cairo_stroke(cr);
}

void paintFace(cairo_t* cr) {
    cairo_pattern_t* light =
        cairo_pattern_create_radial(pivot.x, pivot.y - 40, 10, pivot.x, pivot.y - 40, 110);
    addStop(light, 0, palette::meterFace);
    addStop(light, 1, palette::meterFaceEdge);
    cairo_set_source(cr, light);
    roundedRectangle(cr, faceLeft, faceTop, faceWidth, faceHeight, 4);
    cairo_fill(cr);
    cairo_pattern_destroy(light);

    // The face lies behind the window, so the window's upper-left edge shades it.
    cairo_save(cr);
    roundedRectangle(cr, faceLeft, faceTop, faceWidth, faceHeight, 4);
    cairo_clip(cr);
    cairo_set_line_width(cr, 4);
    setColour(cr, rgb(0x000000), 0.22);
    roundedRectangle(cr, faceLeft + 1.5, faceTop + 1.5, faceWidth + 4, faceHeight + 4, 5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void paintScale(cairo_t* cr, const TextPainter& text) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    setColour(cr, palette::meterAccent);
    cairo_set_line_width(cr, 3);
    arc(cr, arcRadius + 2, gainReduction::travelFraction(10), 1);

    setColour(cr, palette::meterInk);
    cairo_set_line_width(cr, 1.2);
    arc(cr, arcRadius, 0, 1);

    const TextStyle numbers{Typeface::SansBold, 8, palette::meterInk};
    for (const Mark& mark : marks) {
        const bool major = mark.label[0] != '\0';
        const double degrees = markDegrees(mark.decibels);
        const Point inner = polar(pivot, arcRadius, degrees);
        const Point outer = polar(pivot, major ? majorTickRadius : minorTickRadius, degrees);
        cairo_set_line_width(cr, major ? 1.4 : 1.0);
        setColour(cr, palette::meterInk);
        cairo_move_to(cr, inner.x, inner.y);
        cairo_line_to(cr, outer.x, outer.y);
        cairo_stroke(cr);
        if (major) text.centredOn(cr, numbers, polar(pivot, labelRadius, degrees), mark.label);
    }

    text.centred(cr, {Typeface::SansBold, 8, palette::meterInk}, pivot.x, pivot.y - 30, "dB");
    text.centred(cr, {Typeface::CondensedBold, 8, palette::meterInk, 1}, pivot.x, faceTop + 20,
                 "GAIN REDUCTION");
}

void paintShroud(cairo_t* cr) {
    const double top = gainReduction::shroudTop;
    const double bottom = faceTop + faceHeight;
    cairo_save(cr);
    roundedRectangle(cr, faceLeft, faceTop, faceWidth, faceHeight, 4);
    cairo_clip(cr);
    cairo_pattern_t* metal = cairo_pattern_create_linear(0, top, 0, bottom);
    addStop(metal, 0, rgb(0x3a3e44));
    addStop(metal, 1, rgb(0x16171a));
    cairo_set_source(cr, metal);
    cairo_rectangle(cr, faceLeft, top, faceWidth, bottom - top);
    cairo_fill(cr);
    cairo_pattern_destroy(metal);

    cairo_set_line_width(cr, 1);
    setColour(cr, rgb(0x6a6f76));
    cairo_move_to(cr, faceLeft, top + 0.5);
    cairo_line_to(cr, faceLeft + faceWidth, top + 0.5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

} // namespace

void paintGainReductionFace(cairo_t* cr, const TextPainter& text) {
    recess(cr, faceLeft - 4, faceTop - 4, faceWidth + 8, faceHeight + 8, 6);
    setColour(cr, rgb(0x121316));
    roundedRectangle(cr, faceLeft - 4, faceTop - 4, faceWidth + 8, faceHeight + 8, 6);
    cairo_fill(cr);
    paintFace(cr);
    paintScale(cr, text);
    paintShroud(cr);
}

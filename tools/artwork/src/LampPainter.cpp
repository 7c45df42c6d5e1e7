#include "LampPainter.h"

#include "Palette.h"
#include "Shapes.h"

#include <cmath>

namespace {

constexpr double bezelX = 6, bezelY = 5, bezelWidth = 26, bezelHeight = 44, bezelRadius = 7;
constexpr double lensInset = 3.5;
constexpr Point lensCentre{bezelX + bezelWidth / 2, bezelY + bezelHeight / 2};

void lensPath(cairo_t* cr) {
    roundedRectangle(cr, bezelX + lensInset, bezelY + lensInset, bezelWidth - 2 * lensInset,
                     bezelHeight - 2 * lensInset, bezelRadius - lensInset);
}

void paintBezel(cairo_t* cr) {
    cairo_pattern_t* shadow = cairo_pattern_create_linear(0, bezelY, 0, bezelY + bezelHeight + 4);
    addStop(shadow, 0, rgb(0x000000), 0.35);
    addStop(shadow, 1, rgb(0x000000), 0.6);
    cairo_set_source(cr, shadow);
    roundedRectangle(cr, bezelX + 0.5, bezelY + 1.5, bezelWidth + 1.5, bezelHeight + 1.5, bezelRadius + 1);
    cairo_fill(cr);
    cairo_pattern_destroy(shadow);

    cairo_pattern_t* chrome =
        cairo_pattern_create_linear(bezelX, bezelY, bezelX + bezelWidth, bezelY + bezelHeight);
    addStop(chrome, 0, rgb(0xf0f1f3));
    addStop(chrome, 0.45, rgb(0x9a9ea4));
    addStop(chrome, 1, rgb(0x4a4e54));
    cairo_set_source(cr, chrome);
    roundedRectangle(cr, bezelX, bezelY, bezelWidth, bezelHeight, bezelRadius);
    cairo_fill(cr);
    cairo_pattern_destroy(chrome);
}

void paintLens(cairo_t* cr, double brightness) {
    const Colour body = mix(palette::lampOff, palette::lampOn, brightness);
    setColour(cr, body);
    lensPath(cr);
    cairo_fill(cr);

    // The filament's glow, hottest in the middle.
    cairo_pattern_t* glow = cairo_pattern_create_radial(lensCentre.x, lensCentre.y, 0, lensCentre.x,
                                                        lensCentre.y, bezelHeight / 2 - lensInset);
    addStop(glow, 0, palette::lampCore, brightness);
    addStop(glow, 1, palette::lampOn, 0);
    cairo_set_source(cr, glow);
    lensPath(cr);
    cairo_fill(cr);

    // The lens sits behind the bezel: its upper-left rim is in shade.
    cairo_save(cr);
    lensPath(cr);
    cairo_clip(cr);
    cairo_set_line_width(cr, 3);
    setColour(cr, rgb(0x000000), 0.45);
    roundedRectangle(cr, bezelX + lensInset + 1, bezelY + lensInset + 1, bezelWidth - 2 * lensInset,
                     bezelHeight - 2 * lensInset, bezelRadius - lensInset);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void paintReflection(cairo_t* cr) {
    cairo_save(cr);
    cairo_translate(cr, bezelX + 10, bezelY + 12);
    cairo_scale(cr, 3, 6);
    cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
    cairo_restore(cr);
    setColour(cr, rgb(0xffffff), 0.35);
    cairo_fill(cr);
}

} // namespace

void LampPainter::paint(cairo_t* cr, double value) const {
    const double brightness = std::pow(value, 0.8);
    paintBezel(cr);
    paintLens(cr, brightness);
    paintReflection(cr);
}

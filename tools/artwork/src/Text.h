#pragma once

#include "Colour.h"
#include "Fonts.h"
#include "Layout.h"

#include <cairo.h>
#include <string>

struct TextStyle {
    Typeface typeface;
    double size;
    Colour colour;
    double tracking = 0; // extra space after each character, in pixels
};

// Prints legends with one fixed set of font options, independent of the machine's settings.
class TextPainter {
public:
    explicit TextPainter(const Fonts& fonts) : fonts_(fonts) {}

    // Centred horizontally on x, sitting on baseline y.
    void centred(cairo_t* cr, const TextStyle& style, double x, double baseline,
                 const std::string& text) const;

    // Centred on a point by its ink, as dial numbers are.
    void centredOn(cairo_t* cr, const TextStyle& style, Point centre, const std::string& text) const;

    double width(cairo_t* cr, const TextStyle& style, const std::string& text) const;

private:
    void select(cairo_t* cr, const TextStyle& style) const;
    void show(cairo_t* cr, const TextStyle& style, double x, double baseline, const std::string& text) const;

    const Fonts& fonts_;
};

#pragma once

#include <cairo.h>

struct Colour {
    double red;
    double green;
    double blue;
};

constexpr Colour rgb(unsigned hex) {
    return {((hex >> 16) & 0xff) / 255.0, ((hex >> 8) & 0xff) / 255.0, (hex & 0xff) / 255.0};
}

constexpr Colour mix(Colour from, Colour to, double amount) {
    return {from.red + (to.red - from.red) * amount, from.green + (to.green - from.green) * amount,
            from.blue + (to.blue - from.blue) * amount};
}

inline void setColour(cairo_t* cr, Colour colour, double alpha = 1.0) {
    cairo_set_source_rgba(cr, colour.red, colour.green, colour.blue, alpha);
}

inline void addStop(cairo_pattern_t* pattern, double offset, Colour colour, double alpha = 1.0) {
    cairo_pattern_add_color_stop_rgba(pattern, offset, colour.red, colour.green, colour.blue, alpha);
}

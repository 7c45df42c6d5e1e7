#pragma once

#include "Layout.h"
#include "Text.h"

#include <string>
#include <vector>

// Rotary controls turn clockwise from the lower left (225 degrees) through the top to the lower right
// (-45 degrees); value runs from 0 to 1 over that travel.
double dialDegrees(double value);

// The printed scale around a rotary control: a tick at every position, a number at each labelled one.
struct DialScale {
    std::vector<std::string> labels; // one per labelled position, spread evenly over the travel
    int ticksPerLabel;               // >1 puts minor ticks between the labelled positions
    double tickInnerRadius;
    double tickOuterRadius;
    double labelRadius;
    TextStyle labelStyle;
};

void paintDialScale(cairo_t* cr, const TextPainter& text, Point centre, const DialScale& scale);

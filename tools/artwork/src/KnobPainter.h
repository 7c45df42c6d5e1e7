#pragma once

#include "Dial.h"
#include "FilmStrip.h"

// A machined knob: dark knurled skirt with a white index, and a spun aluminium cap with an engraved
// line. One strip serves the attack, threshold and gain knobs.
class KnobPainter : public ControlPainter {
public:
    void paint(cairo_t* cr, double value) const override;
};

// The 0 to 10 scale printed round each knob; it lies partly inside the knob rectangle, so it must be
// printed identically under all three knobs.
DialScale knobScale();

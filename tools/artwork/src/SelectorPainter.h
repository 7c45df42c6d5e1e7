#pragma once

#include "Dial.h"
#include "FilmStrip.h"

// The time-constant switch: a bar knob whose pointed end picks one of six positions.
class SelectorPainter : public ControlPainter {
public:
    void paint(cairo_t* cr, double value) const override;
};

// Positions 1 to 6 printed round the switch.
DialScale selectorScale();

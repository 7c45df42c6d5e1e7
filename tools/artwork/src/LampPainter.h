#pragma once

#include "FilmStrip.h"

// An input lamp: an amber lens in a chrome bezel; value 0 is dark, 1 fully lit.
class LampPainter : public ControlPainter {
public:
    void paint(cairo_t* cr, double value) const override;
};

#pragma once

#include "FilmStrip.h"

// The gain-reduction needle over the meter face; value is the fraction of its travel.
class NeedlePainter : public ControlPainter {
public:
    void paint(cairo_t* cr, double value) const override;
};

#pragma once

#include "Canvas.h"
#include "Image16.h"
#include "Layout.h"

#include <cairo.h>

// Draws one control over its patch of panel, in the control rectangle's own coordinates.
class ControlPainter {
public:
    virtual ~ControlPainter() = default;
    virtual void paint(cairo_t* cr, double value) const = 0;
};

// Renders frames stacked top to bottom; frame k shows the control at value k / (frames - 1) over the
// background found under placement, so every frame sits seamlessly on the panel.
Image16 renderFilmStrip(const Canvas& background, const Rect& placement, const ControlPainter& painter,
                        int frames);

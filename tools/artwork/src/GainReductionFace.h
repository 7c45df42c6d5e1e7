#pragma once

#include "Text.h"

#include <cairo.h>

// The gain-reduction meter as printed on the panel: window, lit face with its dB scale, and the shroud
// that hides the needle's pivot. Drawn in panel coordinates.
void paintGainReductionFace(cairo_t* cr, const TextPainter& text);

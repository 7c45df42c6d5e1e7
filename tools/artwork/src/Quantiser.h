#pragma once

#include "Canvas.h"
#include "Image16.h"
#include "Layout.h"

// Reduces a canvas region to 5-5-5 colour. Gradients are dithered with a fixed ordered pattern whose
// phase starts at the region's top-left corner, so a control rectangle quantises to the same pixels
// whether it is cut from the panel or rendered on its own as a film-strip frame.
Image16 quantise(const Canvas& canvas, const Rect& region);

Image16 quantise(const Canvas& canvas);

// The 5-bit level of an 8-bit channel value c, with dither threshold index 0..15.
unsigned quantiseChannel(unsigned value, int ditherIndex);

#pragma once

#include "Layout.h"

#include <cairo.h>
#include <cstdint>

// An opaque RGB drawing surface with its Cairo context.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* context() const { return context_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // 0xRRGGBB of the pixel at column x, row y.
    std::uint32_t pixel(int x, int y) const;

    // Fills this canvas with the part of source whose top-left corner is at (left, top).
    void copyFrom(const Canvas& source, int left, int top);

    bool regionEquals(const Rect& region, const Rect& other) const;

private:
    int width_;
    int height_;
    cairo_surface_t* surface_;
    cairo_t* context_;
};

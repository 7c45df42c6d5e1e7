#include "Canvas.h"

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)),
      context_(cairo_create(surface_)) {
    cairo_set_source_rgb(context_, 0, 0, 0);
    cairo_paint(context_);
}

Canvas::~Canvas() {
    cairo_destroy(context_);
    cairo_surface_destroy(surface_);
}

std::uint32_t Canvas::pixel(int x, int y) const {
    cairo_surface_flush(surface_);
    const unsigned char* row =
        cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
    return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xffffffu;
}

void Canvas::copyFrom(const Canvas& source, int left, int top) {
    cairo_save(context_);
    cairo_set_operator(context_, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(context_, source.surface_, -left, -top);
    cairo_paint(context_);
    cairo_restore(context_);
}

bool Canvas::regionEquals(const Rect& region, const Rect& other) const {
    if (region.width() != other.width() || region.height() != other.height()) return false;
    for (int y = 0; y < region.height(); ++y)
        for (int x = 0; x < region.width(); ++x)
            if (pixel(region.left + x, region.top + y) != pixel(other.left + x, other.top + y)) return false;
    return true;
}

#include "Preview.h"

#include "GainReductionScale.h"
#include "Layout.h"
#include "MeterBarPainter.h"

#include <cairo.h>
#include <cmath>

namespace {

using namespace layout;

Image16 frameOf(const Image16& strip, int frames, int frame) {
    const int height = strip.height / frames;
    Image16 picture(strip.width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < strip.width; ++x)
            picture.at(x, y) = strip.at(x, frame * height + y);
    return picture;
}

int frameForValue(int frames, double value) { return static_cast<int>(std::lround(value * (frames - 1))); }

void placeFrame(Image16& panel, const Image16& strip, int frames, double value, const Rect& at) {
    panel.paste(frameOf(strip, frames, frameForValue(frames, value)), at.left, at.top);
}

// Lit rows replace unlit ones from the bottom of the bar up to the level.
void placeMeter(Image16& panel, const ArtworkSet& artwork, double level, const Rect& at) {
    panel.paste(artwork.meterUnlit, at.left, at.top);
    const int firstLitRow = meterBar::height - static_cast<int>(std::lround(level * meterBar::height));
    for (int y = firstLitRow; y < meterBar::height; ++y)
        for (int x = 0; x < meterBar::width; ++x)
            panel.at(at.left + x, at.top + y) = artwork.meterLit.at(x, y);
}

} // namespace

Image16 composePreview(const ArtworkSet& artwork) {
    Image16 panel = artwork.background;
    placeFrame(panel, artwork.knob, knobFrames, 0.35, attackKnob);
    placeFrame(panel, artwork.knob, knobFrames, 0.6, thresholdKnob);
    placeFrame(panel, artwork.knob, knobFrames, 0.5, gainKnob);
    placeFrame(panel, artwork.selector, selectorFrames, 0.4, timeConstantSelector);
    placeFrame(panel, artwork.needle, needleFrames, gainReduction::travelFraction(6), gainReductionNeedle);
    placeFrame(panel, artwork.lamp, lampFrames, 0.6, leftInputLamp);
    placeFrame(panel, artwork.lamp, lampFrames, 0.4, rightInputLamp);
    placeMeter(panel, artwork, 0.62, leftOutputMeter);
    placeMeter(panel, artwork, 0.55, rightOutputMeter);
    return panel;
}

bool writePng(const Image16& image, const std::string& path) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.width, image.height);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < image.height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
        for (int x = 0; x < image.width; ++x) {
            const unsigned pixel = image.at(x, y);
            row[x] =
                (widen5((pixel >> 10) & 31) << 16) | (widen5((pixel >> 5) & 31) << 8) | widen5(pixel & 31);
        }
    }
    cairo_surface_mark_dirty(surface);
    const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return written;
}

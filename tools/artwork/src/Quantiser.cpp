#include "Quantiser.h"

#include <cmath>

namespace {

constexpr int bayer4[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// A little under one step, so colours that already are exact 5-bit levels are never disturbed.
constexpr double ditherAmplitude = 0.85;

} // namespace

unsigned quantiseChannel(unsigned value, int ditherIndex) {
    const double offset = ((ditherIndex + 0.5) / 16.0 - 0.5) * ditherAmplitude;
    const double level = std::floor(value * 31.0 / 255.0 + 0.5 + offset);
    return static_cast<unsigned>(std::fmin(31.0, std::fmax(0.0, level)));
}

Image16 quantise(const Canvas& canvas, const Rect& region) {
    Image16 image(region.width(), region.height());
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t colour = canvas.pixel(region.left + x, region.top + y);
            const int dither = bayer4[y & 3][x & 3];
            image.at(x, y) = pack555(quantiseChannel((colour >> 16) & 0xff, dither),
                                     quantiseChannel((colour >> 8) & 0xff, dither),
                                     quantiseChannel(colour & 0xff, dither));
        }
    }
    return image;
}

Image16 quantise(const Canvas& canvas) {
    return quantise(canvas, Rect{0, 0, canvas.width(), canvas.height()});
}

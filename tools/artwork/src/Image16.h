#pragma once

#include <cstdint>
#include <vector>

// A picture in the panel's storage format: 16 bits per pixel, 5-5-5 RGB, rows top to bottom.
struct Image16 {
    int width = 0;
    int height = 0;
    std::vector<std::uint16_t> pixels;

    Image16() = default;
    Image16(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}

    std::uint16_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint16_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }

    // Copies picture into this one with its top-left corner at (left, top).
    void paste(const Image16& picture, int left, int top) {
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
                at(left + x, top + y) = picture.at(x, y);
    }
};

constexpr std::uint16_t pack555(unsigned red, unsigned green, unsigned blue) {
    return static_cast<std::uint16_t>((red << 10) | (green << 5) | blue);
}

// Widens a 5-bit channel to 8 bits the way displays do, repeating the top bits below.
constexpr unsigned widen5(unsigned level) { return (level << 3) | (level >> 2); }

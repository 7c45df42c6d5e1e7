#pragma once
// The toolkit's plain value types: panel points, rectangles and colours.

#include <cstdint>

struct Point {
    int32_t x;
    int32_t y;
};

// For hit and overlap tests the right and bottom edges belong to the rectangle; for drawing they are
// exclusive, so width and height are plain differences.
struct Rect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;

    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    bool contains(Point p) const { return left <= p.x && p.x <= right && top <= p.y && p.y <= bottom; }
    // The same area with left <= right and top <= bottom.
    Rect normalised() const {
        return {left < right ? left : right, top < bottom ? top : bottom, left < right ? right : left,
                top < bottom ? bottom : top};
    }
    bool meets(const Rect& other) const {
        return other.right >= left && other.left <= right && other.bottom >= top && other.top <= bottom;
    }
};

struct Colour {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t alpha; // carried along, never drawn

    // The device colour value: red in the low byte, blue in the third.
    uint32_t rgbValue() const { return red + green * 256u + blue * 65536u; }
};

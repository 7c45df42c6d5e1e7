#pragma once
// Comparison and printing of the toolkit's value types, so that failures show the rectangles and points.

#include "gui/Geometry.h"

#include <ostream>

inline bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator==(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }

inline std::ostream& operator<<(std::ostream& out, const Rect& r) {
    return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
inline std::ostream& operator<<(std::ostream& out, const Point& p) {
    return out << "(" << p.x << ", " << p.y << ")";
}

#pragma once
// How a held knob follows the pointer, apart from where the pointer is read. A linear drag turns the
// distance moved right and up into value; a circular drag takes the value under the pointer but will not
// jump across the dead zone from one end to the other.

#include "gui/Geometry.h"

// Knob values meet on a grid of 1/200 of the span from zero: presets, each pixel of a linear drag, the
// wheel's and the keys' steps. As floats they sit a little beside their grid points, and float steps
// added to them drift: 40 pixels up from 0.2 gave the float just below 0.4, one short of the boundary a
// host's stored "0.4" selects. So arithmetic starts from the grid point a value stands for, in double,
// and a whole number of steps lands on the float nearest its grid point.
class ValueGrid {
public:
    static constexpr double kStepsForSpan = 200.0;

    explicit ValueGrid(float span) : step(double(span) / kStepsForSpan) {}

    // The grid point whose nearest float value is, or value itself when it is off the grid.
    double exact(float value) const;
    float moved(float value, double delta) const { return float(exact(value) + delta); }

private:
    double step;
};

class LinearDrag {
public:
    static constexpr double kPixelsForRange = 200.0;

    LinearDrag(Point anchor, float entryValue, float span, float fineFactor, bool fine);

    // The unclamped value for the pointer at where. A change of the fine state rebases the entry value
    // so that the value carries on from where it is instead of jumping to the new rate.
    float follow(Point where, bool fineNow);

private:
    double rate(bool fineRate) const {
        return double(span) / (fineRate ? kPixelsForRange * double(fineFactor) : kPixelsForRange);
    }

    Point anchor;
    double entryValue;
    float span;
    float fineFactor;
    bool fine;
    double coefficient;
};

class CircularDrag {
public:
    // pressed is the value under the point of the press.
    CircularDrag(float pressed, float minimum, float maximum);

    // The value for a pointer that stands for pointed. A jump of more than half the range crossed the
    // dead zone: the value stays pinned at the end it came from until the pointer comes back.
    float follow(float pointed);

private:
    float old;
    float minimum;
    float maximum;
    float half;
};

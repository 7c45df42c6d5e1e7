#pragma once
// How a held knob follows the pointer, apart from where the pointer is read. A linear drag turns the
// distance moved right and up into value; a circular drag takes the value under the pointer but will not
// jump across the dead zone from one end to the other.

#include "gui/Geometry.h"

// Knob values meet on a grid of 1/200 of the span from zero: presets, each pixel of a linear drag, the
// wheel's and the keys' steps. As floats they sit a little beside their grid points, and float steps
// added to them drift: 40 pixels up from 0.2 gave the float just below 0.4, one short of the boundary a
// host's stored "0.4" selects. So arithmetic counts grid steps from the grid point a value stands for,
// in double, and a whole number of steps lands on the float nearest its grid point.
class ValueGrid {
public:
    static constexpr double kStepsForSpan = 200.0;

    // A span that is zero, infinite or not a number has no grid of its own; its steps are of 1/200.
    explicit ValueGrid(float span);

    // Where value lies, in steps from zero: the grid point it is the nearest float of, or between two.
    double steps(float value) const;
    // The float at a place in steps. A place within the double arithmetic's own error of a grid point
    // is that point.
    float value(double steps) const;
    float moved(float from, double stepsMoved) const { return value(steps(from) + stepsMoved); }

private:
    double step;
};

class LinearDrag {
public:
    LinearDrag(Point anchor, float entryValue, float span, float fineFactor, bool fine);

    // The unclamped value for the pointer at where. A change of the fine state rebases the entry so
    // that the value carries on from where it is instead of jumping to the new rate.
    float follow(Point where, bool fineNow);

private:
    // Pixels per grid step: one, or the fine factor while shift is held.
    double pixelsPerStep(bool fineRate) const { return fineRate ? double(fineFactor) : 1.0; }

    ValueGrid grid;
    Point anchor;
    double entrySteps;
    float fineFactor;
    bool fine;
    double pixels;
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

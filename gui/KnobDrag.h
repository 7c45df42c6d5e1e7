#pragma once
// How a held knob follows the pointer, apart from where the pointer is read. A linear drag turns the
// distance moved right and up into value; a circular drag takes the value under the pointer but will not
// jump across the dead zone from one end to the other.

#include "gui/Geometry.h"

class LinearDrag {
public:
    static constexpr float kPixelsForRange = 200.0f;

    LinearDrag(Point anchor, float entryValue, float span, float fineFactor, bool fine);

    // The unclamped value for the pointer at where. A change of the fine state rebases the entry value
    // so that the value carries on from where it is instead of jumping to the new rate.
    float follow(Point where, bool fineNow);

private:
    float rate(bool fineRate) const {
        return span / (fineRate ? kPixelsForRange * fineFactor : kPixelsForRange);
    }

    Point anchor;
    float entryValue;
    float span;
    float fineFactor;
    bool fine;
    float coefficient;
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

#pragma once
// The angle model of a rotary control: where the handle of a value sits and which value a point on the
// knob stands for. Angles run counter-clockwise from the positive x axis with y up, around the centre
// (radius, radius) of the knob's own coordinates; the scale and offset between angle and value are fixed
// by the angle setters from the range of that moment, as the control's own setters never touch them.

#include "gui/Geometry.h"

#include <cstdint>

class KnobGeometry {
public:
    // 2π as it is added and subtracted; the wrap tests compare against the exact value.
    static constexpr float kTwoPi = 6.2831855f;

    // Starts at the lower left (5π/4) and turns clockwise through the top (−3π/2).
    KnobGeometry(float radius, float minimum, float maximum);

    void setStartAngle(float angle, float minimum, float maximum);
    void setRangeAngle(float angle, float minimum, float maximum);
    float startAngle() const { return start; }
    float rangeAngle() const { return range; }
    void setInset(int32_t pixels) { inset = pixels; }

    // The handle's tip, inset from the rim; the centre for a value that has no angle.
    Point handlePoint(float value) const;
    // The dead zone between the two ends gives the end next to each of its halves.
    float pointToValue(Point where, float minimum, float maximum) const;

private:
    void recompute(float minimum, float maximum);
    double angleOf(Point where) const;
    float clockwiseValue(double alpha, float minimum, float maximum) const;
    float counterClockwiseValue(double alpha, float minimum, float maximum) const;

    float radius;
    int32_t inset = 3;
    float start = 0.0f;
    float range = 0.0f;
    float halfDeadAngle = 0.0f;
    float angleScale = 0.0f;  // value units per radian
    float angleOffset = 0.0f; // the value at angle zero
};

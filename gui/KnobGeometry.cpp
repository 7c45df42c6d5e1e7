#include "gui/KnobGeometry.h"

#include <cmath>

namespace {

constexpr double kExactTwoPi = 6.283185307179586;

// One wrap into the turn, by the float 2π, against the exact bounds.
double wrapOnce(double angle) {
    if (angle < 0) return angle + KnobGeometry::kTwoPi;
    if (angle > kExactTwoPi) return angle - KnobGeometry::kTwoPi;
    return angle;
}

} // namespace

KnobGeometry::KnobGeometry(float knobRadius, float minimum, float maximum) : radius(knobRadius) {
    setStartAngle(3.9269907f, minimum, maximum);
    setRangeAngle(-4.712389f, minimum, maximum);
}

void KnobGeometry::setStartAngle(float angle, float minimum, float maximum) {
    start = angle;
    recompute(minimum, maximum);
}

void KnobGeometry::setRangeAngle(float angle, float minimum, float maximum) {
    range = angle;
    recompute(minimum, maximum);
}

void KnobGeometry::recompute(float minimum, float maximum) {
    angleScale = (maximum - minimum) / range;
    angleOffset = minimum - angleScale * start;
    halfDeadAngle = (kTwoPi - std::fabs(range)) * 0.5f;
}

// A zero range or a NaN value has no angle; converting its NaN to pixels would be undefined.
Point KnobGeometry::handlePoint(float value) const {
    const double alpha = (value - angleOffset) / angleScale;
    if (!std::isfinite(alpha)) return {int32_t(radius), int32_t(radius)};
    const double reach = radius - float(inset);
    return {int32_t(radius + std::cos(alpha) * reach + 0.5), int32_t(radius - std::sin(alpha) * reach + 0.5)};
}

double KnobGeometry::angleOf(Point where) const {
    double alpha = std::atan2(radius - float(where.y), float(where.x) - radius);
    if (alpha < 0) alpha += kTwoPi;
    return alpha - start;
}

// A knob without a range cannot be turned: every point gives its minimum rather than a NaN.
float KnobGeometry::pointToValue(Point where, float minimum, float maximum) const {
    if (!std::isfinite(angleScale)) return minimum;
    const double alpha = angleOf(where);
    return range < 0 ? clockwiseValue(alpha, minimum, maximum)
                     : counterClockwiseValue(alpha, minimum, maximum);
}

// Measured back from the maximum end, so that the dead zone lies past both ends in one interval.
float KnobGeometry::clockwiseValue(double alpha, float minimum, float maximum) const {
    const double beta = alpha - range;
    const double wrapped = wrapOnce(beta);
    if (wrapped > halfDeadAngle - range) return maximum;
    if (wrapped > -range) return minimum;
    double b = beta;
    if (beta > halfDeadAngle - range)
        b -= kTwoPi;
    else if (beta < -halfDeadAngle)
        b += kTwoPi;
    return float(maximum + b * angleScale);
}

float KnobGeometry::counterClockwiseValue(double alpha, float minimum, float maximum) const {
    const double wrapped = wrapOnce(alpha);
    if (wrapped > range + halfDeadAngle) return minimum;
    if (wrapped > range) return maximum;
    double a = alpha;
    if (alpha > range + halfDeadAngle)
        a -= kTwoPi;
    else if (alpha < -halfDeadAngle)
        a += kTwoPi;
    return float(minimum + a * angleScale);
}

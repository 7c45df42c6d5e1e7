#pragma once

#include "Layout.h"

// The gain-reduction meter's geometry. Its needle shows 1 - gain, so n dB of reduction sits at the
// fraction 1 - 10^(-n/20) of the travel; it rests at the left and swings right as reduction grows.
namespace gainReduction {

// In panel coordinates. The pivot lies below the needle rectangle, hidden by the meter's shroud,
// whose top edge is the rectangle's bottom edge.
constexpr Point pivot{110, 190};
constexpr double shroudTop = layout::gainReductionNeedle.bottom;
constexpr double needleLength = 55;
constexpr double halfSweepDegrees = 40;

double travelFraction(double reductionDb);

// Needle direction for a fraction of the travel, in degrees counter-clockwise from three o'clock.
double needleDegrees(double fraction);

} // namespace gainReduction

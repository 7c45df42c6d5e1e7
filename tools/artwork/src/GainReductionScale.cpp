#include "GainReductionScale.h"

#include <cmath>

namespace gainReduction {

double travelFraction(double reductionDb) { return 1 - std::pow(10.0, -reductionDb / 20); }

double needleDegrees(double fraction) { return 90 + halfSweepDegrees - 2 * halfSweepDegrees * fraction; }

} // namespace gainReduction

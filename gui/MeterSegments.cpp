#include "gui/MeterSegments.h"

#include <cmath>

float nextShownLevel(float shown, float level, float fallStep) {
    if (std::isnan(level)) return 0.0f;
    const float fallen = shown - fallStep;
    return fallStep > 0 && fallen > level ? fallen : level;
}

// Out-of-range and NaN fractions are clamped before they become a segment count.
int32_t segmentEdge(float fraction, int32_t segments, int32_t extent) {
    if (segments < 1) return 0;
    const float rounded = fraction * float(segments) + 0.5f;
    const int32_t lit = rounded >= float(segments) ? segments : rounded > 0 ? int32_t(rounded) : 0;
    return int32_t(float(lit) / float(segments) * float(extent));
}

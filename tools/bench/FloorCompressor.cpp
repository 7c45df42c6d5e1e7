#include "tools/bench/FloorCompressor.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <xmmintrin.h>

namespace {

double coefficient(double milliseconds) { return std::exp(std::log(0.01) / (44100 * milliseconds * 0.001)); }

inline void follow(float& hold, float sample, double decay) {
    hold = sample > hold && sample <= FLT_MAX ? sample : float(hold * decay);
}

} // namespace

// The default program at 44100 Hz: threshold 0.2, detector gain 1, 0.4 ms and 2000 ms, output gain 1.
FloorCompressor::FloorCompressor()
    : coefficients{coefficient(2000.0), coefficient(double(0.4f))}, decay(std::pow(10.0, -2.0 / 44100)),
      detectorGain(1.0f), threshold(float(1.0 / (0.2 * 0.2 * 52.0))), outputGain(1.0f) {}

void FloorCompressor::process(const float* const* inputs, float* const* outputs, int32_t frames) {
    const unsigned hostState = _mm_getcsr();
    _mm_setcsr(hostState | 0x8040);
    const float* inLeft = inputs[0];
    const float* inRight = inputs[1];
    float* outLeft = outputs[0];
    float* outRight = outputs[1];
    double level = envelope;
    float reduction = holds[0], heldInLeft = holds[1], heldInRight = holds[2], heldOutLeft = holds[3],
          heldOutRight = holds[4];
    for (int32_t i = 0; i < frames; ++i) {
        const float left = inLeft[i];
        const float right = inRight[i];
        const double mid = std::abs(((double(left) + double(right)) * 0.5 + double(1e-24f)) * detectorGain);
        const double target = mid <= DBL_MAX ? mid : level;
        level = target + (level - target) * coefficients[target > level];
        const float gain = float(std::min(1.0, threshold / std::sqrt(level)));
        follow(reduction, 1.0f - gain, decay);
        const float newLeft = gain * left * outputGain;
        const float newRight = gain * right * outputGain;
        outLeft[i] = newLeft;
        outRight[i] = newRight;
        follow(heldInLeft, left, decay);
        follow(heldInRight, right, decay);
        follow(heldOutRight, newRight, decay);
        follow(heldOutLeft, newLeft, decay);
    }
    envelope = level;
    holds[0] = reduction;
    holds[1] = heldInLeft;
    holds[2] = heldInRight;
    holds[3] = heldOutLeft;
    holds[4] = heldOutRight;
    _mm_setcsr(hostState);
}

double FloorCompressor::checksum() const {
    double sum = envelope;
    for (float hold : holds)
        sum += hold;
    return sum;
}

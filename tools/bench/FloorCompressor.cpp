#include "tools/bench/FloorCompressor.h"

#include <algorithm>
#include <cmath>
#include <xmmintrin.h>

namespace {

// Attack and release times in milliseconds of the six time-constant positions.
constexpr float kAttackMs[] = {0.2f, 0.2f, 0.4f, 0.8f, 0.2f, 0.2f};
constexpr float kReleaseMs[] = {300.0f, 800.0f, 2000.0f, 5000.0f, 2000.0f, 10000.0f};

double smoothingFor(float milliseconds, int32_t rate) {
    return std::exp(std::log(0.01) / (rate * double(milliseconds) * 0.001));
}

// Both the detector gain and the output gain: twice the value up to the middle, then a steeper line.
float piecewiseGain(float value, float slopeAbove) {
    return value > 0.5f ? (value - 0.5f) * slopeAbove + 1.0f : value * 2.0f;
}

} // namespace

FloorCompressor::FloorCompressor(float threshold, float attack, float timeConstant, float gain,
                                 int32_t sampleRate)
    : rate(sampleRate), holdDecay(1.0 / std::pow(10.0, 1.0 / (sampleRate * 0.5))),
      detectorGain(piecewiseGain(attack, 20.0f)),
      kneeThreshold(float(1.0 / (double(threshold) * double(threshold) * 52.0))),
      makeUp(piecewiseGain(gain, 15.0f)) {
    const int32_t position = std::clamp(int32_t(timeConstant * 5.0f), 0, 5);
    attackCoefficient = smoothingFor(kAttackMs[position], sampleRate);
    releaseCoefficient = smoothingFor(kReleaseMs[position], sampleRate);
}

void FloorCompressor::process(const float* const* inputs, float* const* outputs, int32_t frames,
                              bool replace) {
    const unsigned callerState = _mm_getcsr();
    _mm_setcsr(callerState | 0x8040); // flush to zero, denormals are zero
    if (replace)
        run<true>(inputs[0], inputs[1], outputs[0], outputs[1], frames);
    else
        run<false>(inputs[0], inputs[1], outputs[0], outputs[1], frames);
    _mm_setcsr(callerState);
}

template <bool replace>
void FloorCompressor::run(const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                          int32_t frames) {
    const double attack = attackCoefficient, release = releaseCoefficient;
    const double decay = holdDecay;
    const double scale = detectorGain;
    const double knee = kneeThreshold;
    const float makeUpGain = makeUp;
    double level = envelope;
    float reduction = peaks[0], inL = peaks[1], inR = peaks[2], outL = peaks[3], outR = peaks[4];
    auto track = [decay](float& peak, float x) { peak = x > peak ? x : float(peak * decay); };
    for (int32_t n = 0; n < frames; ++n) {
        const float x = inLeft[n], y = inRight[n];
        const double detected = std::abs(((double(x) + double(y)) * 0.5 + double(1e-24f)) * scale);
        level = detected + (level - detected) * (detected > level ? attack : release);
        const float g = float(std::min(1.0, knee / std::sqrt(level)));
        track(reduction, 1.0f - g);
        float wetLeft = g * x * makeUpGain, wetRight = g * y * makeUpGain;
        if constexpr (!replace) {
            wetLeft += outLeft[n];
            wetRight += outRight[n];
        }
        outLeft[n] = wetLeft;
        outRight[n] = wetRight;
        track(inL, x);
        track(inR, y);
        track(outR, wetRight);
        track(outL, wetLeft);
    }
    envelope = level;
    peaks[0] = reduction;
    peaks[1] = inL;
    peaks[2] = inR;
    peaks[3] = outL;
    peaks[4] = outR;
}

float FloorCompressor::meterReading(int32_t index) const {
    const float peak = index >= 22 && index <= 26 ? peaks[index - 22] : 0.0f;
    if (index != 23 && index != 24) return peak;
    // The input meters read through x^(1 / (x * 0.001 * rate)); a hold of 0 reads 0.
    return peak > 0.0f ? float(std::pow(double(peak), 1.0 / (double(peak) * 0.001 * rate))) : 0.0f;
}

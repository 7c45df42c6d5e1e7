#include "tests/support/ReferenceCompressor.h"

#include <cmath>

void ReferenceCompressor::selectProgram(int32_t program) {
    static const float timeConstants[] = {0.4f, 0.0f, 0.2f, 0.4f, 0.6f, 0.8f, 1.0f};
    set(0, 0.2f);
    set(1, 0.5f);
    set(2, timeConstants[program]);
    set(3, 0.5f);
}

void ReferenceCompressor::set(int32_t index, float v) {
    static const float attacks[] = {0.2f, 0.2f, 0.4f, 0.8f, 0.2f, 0.2f};
    static const float releases[] = {300, 800, 2000, 5000, 2000, 10000};
    if (index == 0) threshold = float(1.0 / (52.0 * v * v));
    if (index == 1) detectorGain = v <= 0.5f ? 2 * v : 1 + (v - 0.5f) * 20;
    if (index == 2 && v * 5 >= 0 && v * 5 < 6) {
        attackMs = attacks[int(v * 5)];
        releaseMs = releases[int(v * 5)];
    }
    if (index == 3) outputGain = v <= 0.5f ? 2 * v : 1 + (v - 0.5f) * 15;
}

double ReferenceCompressor::coefficient(double milliseconds, int32_t sampleRate) {
    return std::exp(std::log(0.01) / (sampleRate * milliseconds / 1000.0));
}

void ReferenceCompressor::hold(float& level, float sample, double decay) {
    if (sample > level)
        level = sample;
    else
        level = float(level * decay);
}

void ReferenceCompressor::frame(float left, float right, float& outLeft, float& outRight, bool replace) {
    const double level = std::fabs(((double(left) + right) / 2 + 1e-24f) * detectorGain);
    const double k = level > envelope ? coefficient(attackMs, kRate) : coefficient(releaseMs, kRate);
    envelope = level + (envelope - level) * k;
    const double root = std::sqrt(envelope);
    const float gain = root < threshold ? 1.0f : float(threshold / root);
    const double decay = std::pow(10.0, -2.0 / kRate);
    hold(holds[0], 1 - gain, decay);
    outLeft = gain * left * outputGain + (replace ? 0.0f : outLeft);
    outRight = gain * right * outputGain + (replace ? 0.0f : outRight);
    hold(holds[1], left, decay);
    hold(holds[2], right, decay);
    hold(holds[3], outLeft, decay);
    hold(holds[4], outRight, decay);
}

float ReferenceCompressor::meter(int32_t index) const {
    const float level = holds[index - 22];
    if (index != 23 && index != 24) return level;
    return level == 0 ? 0.0f : float(std::pow(level, 1.0 / (level * 0.001 * kRate)));
}

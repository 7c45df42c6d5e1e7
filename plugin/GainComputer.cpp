#include "plugin/GainComputer.h"

namespace {

// The coefficient with which the envelope covers 99 % of a step in the given time.
double smoothingCoefficient(double milliseconds, int32_t sampleRate) {
    return std::exp(std::log(0.01) / (sampleRate * milliseconds * 0.001));
}

double interpolatedTime(float start, float end, float fraction) {
    return double(start) + (double(end) - double(start)) * double(fraction);
}

} // namespace

void GainComputer::initialise(int32_t sampleRate) {
    sampleRateHz = sampleRate;
    detectorGain.store(0.0f, std::memory_order_relaxed);
    for (int32_t slot = 0; slot < kSlotCount; ++slot)
        keepSlot(slot, 0.0, 1.0f);
    setThreshold(0.5f);
    releaseMs = 50.0;
    storeCoefficient(kFalling, releaseMs);
    attackMs = 2.0;
    storeCoefficient(kRising, attackMs);
}

void GainComputer::changeSampleRate(int32_t sampleRate) {
    sampleRateHz = sampleRate;
    storeCoefficient(kFalling, releaseMs);
    storeCoefficient(kRising, attackMs);
}

void GainComputer::setAttackTime(float start, float end, float fraction) {
    attackMs = interpolatedTime(start, end, fraction);
    storeCoefficient(kRising, attackMs);
}

void GainComputer::setReleaseTime(float start, float end, float fraction) {
    releaseMs = interpolatedTime(start, end, fraction);
    storeCoefficient(kFalling, releaseMs);
}

void GainComputer::setDetectorGain(float value) {
    const float gain = value > 0.5f ? (value - 0.5f) * 20.0f + 1.0f : value * 2.0f;
    detectorGain.store(gain, std::memory_order_relaxed);
}

// At 0 the division gives positive infinity, and the gain stays 1 whatever the level.
void GainComputer::setThreshold(float value) {
    const double squared = double(value) * double(value);
    threshold.store(float(1.0 / (squared * 52.0)), std::memory_order_relaxed);
}

GainComputer::Settings GainComputer::settings() const {
    return {{coefficients[kFalling].load(std::memory_order_relaxed),
             coefficients[kRising].load(std::memory_order_relaxed)},
            detectorGain.load(std::memory_order_relaxed),
            threshold.load(std::memory_order_relaxed)};
}

float GainComputer::computeGain(int32_t mode, int32_t slot, float left, float right) {
    if (slot < 0 || slot >= kSlotCount) return 1.0f;
    const Settings now = settings();
    const double envelope = follow(now, envelopes[slot], detectorLevel(now, mode, left, right));
    const float gain = gainAt(now, envelope);
    keepSlot(slot, envelope, gain);
    return gain;
}

void GainComputer::keepSlot(int32_t slot, double envelope, float gain) {
    envelopes[slot] = envelope;
    channelGains[slot] = gain;
}

void GainComputer::storeCoefficient(int which, double milliseconds) {
    coefficients[which].store(smoothingCoefficient(milliseconds, sampleRateHz), std::memory_order_relaxed);
}

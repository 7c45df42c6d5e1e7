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
    detectorGain.store(0.0f, std::memory_order_relaxed);
    for (int32_t slot = 0; slot < kSlotCount; ++slot)
        keepSlot(slot, 0.0, 1.0f);
    setThreshold(0.5f);
    changeTimes([&] {
        sampleRateHz = sampleRate;
        releaseMs = 50.0;
        attackMs = 2.0;
    });
    takeCoefficients();
}

void GainComputer::changeSampleRate(int32_t sampleRate) {
    changeTimes([&] { sampleRateHz = sampleRate; });
}

void GainComputer::setAttackTime(float start, float end, float fraction) {
    changeTimes([&] { attackMs = interpolatedTime(start, end, fraction); });
}

void GainComputer::setReleaseTime(float start, float end, float fraction) {
    changeTimes([&] { releaseMs = interpolatedTime(start, end, fraction); });
}

void GainComputer::setTimes(double attack, double release) {
    changeTimes([&] {
        attackMs = attack;
        releaseMs = release;
    });
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

GainComputer::Settings GainComputer::settings() {
    takeCoefficients();
    return {{blockCoefficients[kFalling], blockCoefficients[kRising]},
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

// Writers take turns: the exchange expects the even count, so it fails while another writer holds it odd.
// The release fence keeps the odd count ahead of the coefficient stores; the final store publishes them.
template <typename Change> void GainComputer::changeTimes(Change change) {
    uint32_t count = 0;
    do
        count = timesSequence.load(std::memory_order_relaxed) & ~1u;
    while (!timesSequence.compare_exchange_weak(count, count + 1, std::memory_order_acquire,
                                                std::memory_order_relaxed));
    std::atomic_thread_fence(std::memory_order_release);
    change();
    coefficients[kFalling].store(smoothingCoefficient(releaseMs, sampleRateHz), std::memory_order_relaxed);
    coefficients[kRising].store(smoothingCoefficient(attackMs, sampleRateHz), std::memory_order_relaxed);
    timesSequence.store(count + 2, std::memory_order_release);
}

// The pair is whole when the count was even before the loads and is unchanged after them.
void GainComputer::takeCoefficients() {
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        const uint32_t before = timesSequence.load(std::memory_order_acquire);
        const double falling = coefficients[kFalling].load(std::memory_order_relaxed);
        const double rising = coefficients[kRising].load(std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_acquire);
        if (before % 2 == 0 && timesSequence.load(std::memory_order_relaxed) == before) {
            blockCoefficients[kFalling] = falling;
            blockCoefficients[kRising] = rising;
            return;
        }
    }
}

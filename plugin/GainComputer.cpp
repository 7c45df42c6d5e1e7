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
    changeTimes([&](Times& times) { times = {2.0, 50.0, sampleRate}; });
    takeCoefficients();
}

void GainComputer::changeSampleRate(int32_t sampleRate) {
    changeTimes([&](Times& times) { times.sampleRateHz = sampleRate; });
}

void GainComputer::setAttackTime(float start, float end, float fraction) {
    changeTimes([&](Times& times) { times.attackMs = interpolatedTime(start, end, fraction); });
}

void GainComputer::setReleaseTime(float start, float end, float fraction) {
    changeTimes([&](Times& times) { times.releaseMs = interpolatedTime(start, end, fraction); });
}

void GainComputer::setTimes(double attack, double release) {
    changeTimes([&](Times& times) {
        times.attackMs = attack;
        times.releaseMs = release;
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

// The exchange from the even count the inputs were read at fails when another writer has taken the window
// since: the change is then computed again from what that writer published, which the acquire load of
// the count makes visible.
template <typename Change> void GainComputer::changeTimes(Change change) {
    for (;;) {
        uint32_t count = timesSequence.load(std::memory_order_acquire);
        if (count % 2 != 0) continue; // another writer is between its stores
        Times times{attackMs.load(std::memory_order_relaxed), releaseMs.load(std::memory_order_relaxed),
                    sampleRateHz.load(std::memory_order_relaxed)};
        change(times);
        const double falling = smoothingCoefficient(times.releaseMs, times.sampleRateHz);
        const double rising = smoothingCoefficient(times.attackMs, times.sampleRateHz);
        if (!timesSequence.compare_exchange_strong(count, count + 1, std::memory_order_acquire,
                                                   std::memory_order_relaxed))
            continue;
        attackMs.store(times.attackMs, std::memory_order_relaxed);
        releaseMs.store(times.releaseMs, std::memory_order_relaxed);
        sampleRateHz.store(times.sampleRateHz, std::memory_order_relaxed);
        for (PairCopy& copy : copies)
            copy.store(falling, rising);
        timesSequence.store(count + 2, std::memory_order_release);
        return;
    }
}

// Release stores keep the odd count ahead of the coefficients; the final store publishes them.
void GainComputer::PairCopy::store(double falling, double rising) {
    const uint32_t count = sequence.load(std::memory_order_relaxed);
    sequence.store(count + 1, std::memory_order_relaxed);
    coefficients[kFalling].store(falling, std::memory_order_release);
    coefficients[kRising].store(rising, std::memory_order_release);
    sequence.store(count + 2, std::memory_order_release);
}

// The pair is whole when the count was even before the loads and is unchanged after them; acquire loads
// keep the second look at the count behind the coefficients (plain loads on x86, as the relaxed ones).
bool GainComputer::PairCopy::load(double (&pair)[2]) const {
    const uint32_t before = sequence.load(std::memory_order_acquire);
    const double falling = coefficients[kFalling].load(std::memory_order_acquire);
    const double rising = coefficients[kRising].load(std::memory_order_acquire);
    if (before % 2 != 0 || sequence.load(std::memory_order_relaxed) != before) return false;
    pair[kFalling] = falling;
    pair[kRising] = rising;
    return true;
}

// The first copy is the newer one; while the writer stores into it, the second is whole.
void GainComputer::takeCoefficients() {
    for (int attempt = 0; attempt < kReadAttempts; ++attempt)
        for (const PairCopy& copy : copies)
            if (copy.load(blockCoefficients)) return;
}

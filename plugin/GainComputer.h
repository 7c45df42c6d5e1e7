#pragma once
// The compressor's detector and gain law. A detector level taken from the stereo pair is smoothed with
// separate attack and release coefficients; the gain is the threshold over the square root of the
// smoothed level, capped at 1, which gives a 2:1 ratio above a hard knee.
//
// The settings are written by whichever thread sets a parameter and read by the audio thread, so each is
// a relaxed atomic: a plain load or store in the generated code, and a 64-bit coefficient is never seen
// half-written, on the 32-bit build too, where it is one 8-byte move and takes no lock. The block routine
// copies them into a Settings value once at its start, so a change made while a block runs is used from
// the next block on. The envelopes belong to the audio thread.
//
// Attack and release change together (one selector position sets both), and the rate changes both
// coefficients, so the coefficient pair is published whole. Writers take turns under a sequence count: a
// writer computes first, from the times and rate it read at an even count, and only then makes the count
// odd, stores and makes it even again; when another writer published in between, it computes again from
// that one. It stores the pair into two copies, one after the other, each under a sequence count of its
// own, so at every moment one copy is whole and at least as new as the last completed change: the
// reader, which never waits, takes the first whole copy, and a writer stopped in the middle of its stores
// can not keep a block on times older than the last change that completed before the block.

#include <algorithm>
#include <atomic>
#include <cfloat>
#include <cmath>
#include <cstdint>

class GainComputer {
public:
    static constexpr int32_t kSlotCount = 6;
    // Detector modes: the left sample as it is, the power of the scaled mid signal, and its level.
    static constexpr int32_t kLeftSample = 0;
    static constexpr int32_t kMidPower = 1;
    static constexpr int32_t kMidLevel = 2;

    void initialise(int32_t sampleRate);
    // A new host rate: both coefficients follow from the current times; the envelopes are kept.
    void changeSampleRate(int32_t sampleRate);

    // The time becomes start + (end - start) x fraction, in milliseconds.
    void setAttackTime(float start, float end, float fraction);
    void setReleaseTime(float start, float end, float fraction);
    // Both times in milliseconds, as one change.
    void setTimes(double attack, double release);
    void setDetectorGain(float value);
    void setThreshold(float value);

    // One frame through the given slot; answers the gain, 0 to 1. A slot outside 0 to 5 answers 1
    // and changes nothing.
    float computeGain(int32_t mode, int32_t slot, float left, float right);

    // What one block runs with: the settings as they were when it started. Called by the audio thread.
    struct Settings {
        double coefficients[2]; // indexed by "the level rises": a load instead of a branch per frame
        float detectorGain;
        float threshold;

        double attack() const { return coefficients[kRising]; }   // while the level rises above the envelope
        double release() const { return coefficients[kFalling]; } // while it falls or holds
    };
    Settings settings();

    // The block path keeps the linked slot's envelope in a local for the whole block and stores it back
    // once with keepSlot.
    double slotEnvelope(int32_t slot) const { return envelopes[slot]; }
    void keepSlot(int32_t slot, double envelope, float gain);

    double attackTime() const { return attackMs.load(std::memory_order_relaxed); }
    double releaseTime() const { return releaseMs.load(std::memory_order_relaxed); }
    double attackCoefficient() const {
        return copies[0].coefficients[kRising].load(std::memory_order_relaxed);
    }
    double releaseCoefficient() const {
        return copies[0].coefficients[kFalling].load(std::memory_order_relaxed);
    }
    float detectorGainValue() const { return detectorGain.load(std::memory_order_relaxed); }
    float thresholdValue() const { return threshold.load(std::memory_order_relaxed); }
    float slotGain(int32_t slot) const { return channelGains[slot]; }
    int32_t sampleRate() const { return sampleRateHz.load(std::memory_order_relaxed); }

private:
    // Indices into the coefficients, here and in Settings.
    static constexpr int kFalling = 0;
    static constexpr int kRising = 1;

    static double detectorLevel(const Settings& settings, int32_t mode, float left, float right) {
        if (mode != kMidPower && mode != kMidLevel) return left;
        const double mid = ((double(left) + double(right)) * 0.5 + double(1e-24f)) * settings.detectorGain;
        return mode == kMidLevel ? std::abs(mid) : mid * mid;
    }

    // A non-finite level (from the input or the detector gain) would stay in the envelope for good,
    // so such a frame leaves the envelope as it is.
    static double follow(const Settings& settings, double envelope, double level) {
        const double target = std::abs(level) <= DBL_MAX ? level : envelope;
        return target + (envelope - target) * settings.coefficients[target > envelope];
    }

    // threshold / sqrt(envelope), capped at 1: below the knee the quotient exceeds 1 and the cap gives
    // exactly 1; a quotient that is not a number (0 / 0) also reads 1.
    static float gainAt(const Settings& settings, double envelope) {
        return float(std::min(1.0, settings.threshold / std::sqrt(envelope)));
    }

    // What the coefficients follow from.
    struct Times {
        double attackMs;
        double releaseMs;
        int32_t sampleRateHz;
    };
    // Applies a change to the times or the rate and publishes them with both coefficients that follow.
    template <typename Change> void changeTimes(Change change);
    // Copies a whole published pair into blockCoefficients, unless a writer is in the way at every try.
    void takeCoefficients();

    static constexpr int kReadAttempts = 4;

    // One copy of the published pair.
    struct PairCopy {
        std::atomic<uint32_t> sequence{0}; // odd while the writer stores into this copy
        std::atomic<double> coefficients[2] = {};

        void store(double falling, double rising);
        // Copies the pair into pair when it is whole.
        bool load(double (&pair)[2]) const;
    };

    std::atomic<double> attackMs{0.0};
    std::atomic<double> releaseMs{0.0};
    std::atomic<float> detectorGain{0.0f};
    std::atomic<int32_t> sampleRateHz{0};
    double envelopes[kSlotCount] = {};
    PairCopy copies[2];
    float channelGains[kSlotCount] = {};
    std::atomic<float> threshold{0.0f};
    std::atomic<uint32_t> timesSequence{0}; // odd while a writer publishes
    double blockCoefficients[2] = {};       // the audio thread's last whole pair

    static_assert(std::atomic<double>::is_always_lock_free && std::atomic<float>::is_always_lock_free &&
                      std::atomic<uint32_t>::is_always_lock_free && std::atomic<int32_t>::is_always_lock_free,
                  "the audio thread reads the settings without taking a lock");
};

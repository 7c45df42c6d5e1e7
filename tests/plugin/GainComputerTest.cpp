// The gain computer on its own: starting state, the three detector modes, the slots, the knee, and a
// change of sample rate.

#include "plugin/GainComputer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Started : GainComputer {
    Started() { initialise(44100); }
};

TEST(GainComputer, InitialiseSetsTheStartingValues) {
    const Started computer;
    EXPECT_EQ(computer.detectorGainValue(), 0.0f);
    EXPECT_FLOAT_EQ(computer.thresholdValue(), 1.0f / 13.0f);
    EXPECT_EQ(computer.attackTime(), 2.0);
    EXPECT_EQ(computer.releaseTime(), 50.0);
    EXPECT_NEAR(computer.attackCoefficient(), std::pow(0.01, 1.0 / 88.2), 1e-12);
    EXPECT_NEAR(computer.releaseCoefficient(), std::pow(0.01, 1.0 / 2205), 1e-12);
    for (int32_t slot = 0; slot < GainComputer::kSlotCount; ++slot) {
        EXPECT_EQ(computer.slotEnvelope(slot), 0.0) << "slot " << slot;
        EXPECT_EQ(computer.slotGain(slot), 1.0f) << "slot " << slot;
    }
}

TEST(GainComputer, TimesAreInterpolatedFromStartToEnd) {
    Started computer;
    computer.setAttackTime(1.0f, 3.0f, 0.25f);
    computer.setReleaseTime(100.0f, 200.0f, 0.5f);
    EXPECT_EQ(computer.attackTime(), 1.5);
    EXPECT_EQ(computer.releaseTime(), 150.0);
}

// One frame from a zero envelope with the coefficients at 0: the envelope is the detector value itself.
TEST(GainComputer, DetectorModes) {
    struct Row {
        int32_t mode;
        float left;
        float right;
        double envelope;
    };
    const Row rows[] = {
        {2, 0.5f, -0.1f, 0.2 * 3}, // |mid| x detector gain 3
        {2, -0.5f, 0.1f, 0.2 * 3},
        {1, 0.5f, -0.1f, 0.36}, // (mid x 3) squared
        {0, 0.3f, 0.9f, 0.3f},  // the left sample as it is
    };
    for (const Row& row : rows) {
        Started computer;
        computer.setDetectorGain(0.6f); // 3
        computer.setAttackTime(0.0f, 0.0f, 0.0f);
        computer.setReleaseTime(0.0f, 0.0f, 0.0f);
        computer.setThreshold(0.0f);
        EXPECT_EQ(computer.computeGain(row.mode, 3, row.left, row.right), 1.0f);
        EXPECT_NEAR(computer.slotEnvelope(3), row.envelope, 1e-6) << "mode " << row.mode;
        EXPECT_EQ(computer.slotEnvelope(2), 0.0) << "other slots are left alone";
    }
}

TEST(GainComputer, KneeAndSquareRootLaw) {
    Started computer;
    computer.setDetectorGain(0.5f);
    computer.setAttackTime(0.0f, 0.0f, 0.0f);
    computer.setReleaseTime(0.0f, 0.0f, 0.0f);
    computer.setThreshold(0.5f); // T = 1/13
    const double knee = 1.0 / 169.0;
    struct Row {
        double level;
        float gain;
    };
    const Row rows[] = {{knee / 2, 1.0f}, {knee, 1.0f}, {4 * knee, 0.5f}, {100 * knee, 0.1f}};
    for (const Row& row : rows)
        EXPECT_NEAR(computer.computeGain(2, 1, float(row.level), float(row.level)), row.gain, 1e-6)
            << "level " << row.level;
}

TEST(GainComputer, OutOfRangeSlotAnswersOneAndChangesNothing) {
    Started computer;
    computer.setDetectorGain(1.0f);
    for (int32_t slot : {-1, 6})
        EXPECT_EQ(computer.computeGain(2, slot, 1.0f, 1.0f), 1.0f) << "slot " << slot;
}

TEST(GainComputer, NewSampleRateRecomputesCoefficientsAndKeepsTheEnvelope) {
    Started computer;
    computer.setDetectorGain(0.5f);
    computer.setAttackTime(0.0f, 10.0f, 1.0f);
    computer.computeGain(2, 1, 0.5f, 0.5f);
    const double envelope = computer.slotEnvelope(1);
    computer.changeSampleRate(96000);
    EXPECT_EQ(computer.slotEnvelope(1), envelope);
    EXPECT_EQ(computer.attackTime(), 10.0);
    EXPECT_NEAR(computer.attackCoefficient(), std::pow(0.01, 1.0 / 960), 1e-12);
    EXPECT_NEAR(computer.releaseCoefficient(), std::pow(0.01, 1.0 / 4800), 1e-12);
}

} // namespace

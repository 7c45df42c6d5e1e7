// The settings a block runs with: taken once at its start, the same frame for frame as the per-call path,
// and never mixed within a block while another thread changes them.

#include "tests/plugin/OpenCompressor.h"
#include "tests/plugin/Signals.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>
#include <utility>

namespace {

// A gain computer at 44100 Hz with every setting away from its starting value.
void configure(GainComputer& computer, float threshold, float detector, float attackMs, float releaseMs) {
    computer.initialise(44100);
    computer.setThreshold(threshold);
    computer.setDetectorGain(detector);
    computer.setAttackTime(0.0f, attackMs, 1.0f);
    computer.setReleaseTime(0.0f, releaseMs, 1.0f);
}

// The snapshot carries the current settings, and the block path with it and the per-call path give the
// same envelope and gain at every frame.
TEST(BlockSettings, BlockPathFollowsThePerCallPathFrameForFrame) {
    GainComputer perCall;
    configure(perCall, 0.4f, 0.6f, 0.8f, 300.0f);
    const GainComputer::Settings settings = perCall.settings();
    EXPECT_EQ(settings.threshold, perCall.thresholdValue());
    EXPECT_EQ(settings.detectorGain, perCall.detectorGainValue());
    EXPECT_EQ(settings.coefficients[0], perCall.releaseCoefficient());
    EXPECT_EQ(settings.coefficients[1], perCall.attackCoefficient());
    const StereoSignal input = signals::bursts(22050, 1.0f);
    double envelope = 0.0;
    for (int32_t i = 0; i < input.frames(); ++i) {
        const float expected = perCall.computeGain(GainComputer::kMidLevel, 1, input.left[i], input.right[i]);
        ASSERT_EQ(GainComputer::midLevelGain(settings, envelope, input.left[i], input.right[i]), expected)
            << "frame " << i;
        ASSERT_EQ(envelope, perCall.slotEnvelope(1)) << "frame " << i;
    }
}

// A steady input has settled the envelope, so every frame of a block has the same output as long as the
// block runs with one set of settings. Another thread flips threshold and gain between two values the
// whole time: each block must still be uniform, at one of the values the settings can combine to.
TEST(BlockSettings, ChangesFromAnotherThreadNeverSplitABlock) {
    OpenCompressor compressor;
    const StereoSignal steady(512, 0.8f);
    processInBlocks(compressor, StereoSignal(5 * 44100, 0.8f), 512);
    std::atomic<bool> running{true};
    std::thread writer([&compressor, &running] {
        for (bool flip = false; running.load(); flip = !flip) {
            compressor.setParameterValue(CompressorBase::kThreshold, flip ? 0.3f : 0.2f);
            compressor.setParameterValue(CompressorBase::kGain, flip ? 1.0f : 0.5f);
        }
    });
    std::set<float> blockValues;
    for (int32_t block = 0; block < 20000 && (block < 200 || blockValues.size() < 2); ++block) {
        const StereoSignal output = processInBlocks(compressor, steady, 512);
        for (int32_t i = 1; i < output.frames(); ++i)
            ASSERT_EQ(output.left[i], output.left[0]) << "block " << block << ", frame " << i;
        blockValues.insert(output.left[0]);
    }
    running.store(false);
    writer.join();
    EXPECT_GE(blockValues.size(), 2u) << "the other thread's changes were never seen";
    EXPECT_LE(blockValues.size(), 4u) << "two thresholds and two gains make four outputs at most";
}

// A selector position sets attack and release together. Another thread moves the selector between two
// positions that differ in both the whole time: every block must start with one position's pair, never
// with one position's attack and the other's release.
TEST(BlockSettings, TimeConstantPairIsNeverSeenHalfChanged) {
    OpenCompressor compressor;
    using Pair = std::pair<double, double>;
    const auto pairAt = [&compressor](float position) {
        compressor.setParameterValue(CompressorBase::kTimeConstant, position);
        const GainComputer::Settings settings = compressor.blockSettings();
        return Pair(settings.coefficients[0], settings.coefficients[1]);
    };
    const Pair fast = pairAt(0.0f), slow = pairAt(0.7f); // 0.2 / 300 ms and 0.8 / 5000 ms
    std::atomic<bool> running{true};
    std::thread writer([&compressor, &running] {
        for (bool flip = false; running.load(); flip = !flip)
            compressor.setParameterValue(CompressorBase::kTimeConstant, flip ? 0.7f : 0.0f);
    });
    std::set<Pair> seen;
    for (int32_t block = 0; block < 2000000 && (block < 20000 || seen.size() < 2); ++block) {
        const GainComputer::Settings settings = compressor.blockSettings();
        const Pair pair(settings.coefficients[0], settings.coefficients[1]);
        ASSERT_TRUE(pair == fast || pair == slow) << "block " << block;
        seen.insert(pair);
    }
    running.store(false);
    writer.join();
    EXPECT_EQ(seen.size(), 2u) << "the other thread's changes were never seen";
}

// A sample below the hold but above its decayed value is no new peak: the hold decays past it.
TEST(BlockSettings, HoldDecaysPastASampleBelowIt) {
    OpenCompressor compressor;
    compressor.setParameterValue(CompressorBase::kThreshold, 0.0f);
    float left[] = {1.0f, 0.99999f}, right[] = {0.0f, 0.0f}, outLeft[2], outRight[2];
    float* in[] = {left, right};
    float* out[] = {outLeft, outRight};
    compressor.processBlock(in, out, 2, 1);
    EXPECT_EQ(compressor.inputHold(0), float(1.0f * compressor.decay()));
    EXPECT_LT(compressor.inputHold(0), 0.99999f);
}

} // namespace

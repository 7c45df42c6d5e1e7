// The settings a block runs with: taken once at its start, the same bit for bit as the per-call path,
// and never mixed within a block while another thread changes them.

#include "tests/plugin/OpenCompressor.h"
#include "tests/plugin/Signals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cfloat>
#include <chrono>
#include <cmath>
#include <limits>
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

// The hold rule frame by frame: a hold rises to a larger finite sample and otherwise decays.
void followPeak(float& hold, float sample, double decay) {
    hold = sample > hold && sample <= FLT_MAX ? sample : float(hold * decay);
}

// Bursts with non-finite samples inside chunks, on either channel.
StereoSignal poisonedBursts() {
    StereoSignal input = signals::bursts(22050, 1.0f);
    const float infinity = std::numeric_limits<float>::infinity();
    input.left[1000] = std::numeric_limits<float>::quiet_NaN();
    input.right[4001] = infinity;
    for (int32_t i = 9000; i < 9040; ++i)
        input.left[i] = -infinity;
    return input;
}

struct PathRow {
    float attackMs, releaseMs;
    int32_t blockFrames;
    bool replace;
    bool inPlace; // the same buffers for input and output
};

// The snapshot carries the current settings, and the block path with it gives every output, the envelope,
// the last gain and the holds of the per-call path and the hold rule, bit for bit: at odd block lengths,
// accumulating, in place, on non-finite samples, and with an attack slower than the release.
TEST(BlockSettings, BlockPathFollowsThePerCallPathFrameForFrame) {
    const PathRow rows[] = {{0.8f, 300.0f, 512, true, false},  {0.8f, 300.0f, 333, false, false},
                            {0.8f, 300.0f, 1, true, false},    {0.8f, 300.0f, 2, false, false},
                            {0.8f, 300.0f, 7, true, false},    {0.8f, 300.0f, 31, false, false},
                            {500.0f, 20.0f, 333, true, false}, {500.0f, 20.0f, 64, false, false},
                            {0.8f, 300.0f, 512, true, true},   {0.8f, 300.0f, 100, false, true}};
    const StereoSignal input = poisonedBursts();
    const double decay = 1.0 / std::pow(10.0, 1.0 / (44100 * 0.5));
    for (const PathRow& row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << "attack " << row.attackMs << " ms, release " << row.releaseMs << " ms, blocks of "
                     << row.blockFrames << (row.replace ? ", replacing" : ", accumulating")
                     << (row.inPlace ? ", in place" : ""));
        GainComputer perCall;
        configure(perCall, 0.4f, 0.6f, row.attackMs, row.releaseMs);
        const GainComputer::Settings settings = perCall.settings();
        EXPECT_EQ(settings.threshold, perCall.thresholdValue());
        EXPECT_EQ(settings.detectorGain, perCall.detectorGainValue());
        EXPECT_EQ(settings.release(), perCall.releaseCoefficient());
        EXPECT_EQ(settings.attack(), perCall.attackCoefficient());
        BlockState state{0.0, 1.0f, {}};
        MeterHolds holds{};
        StereoSignal output = row.inPlace ? input : StereoSignal(input.left.size(), 0.25f);
        const StereoSignal before = output;
        const StereoSignal& source = row.inPlace ? output : input;
        forEachBlock(input.frames(), row.blockFrames, [&](int32_t start, int32_t count) {
            if (::testing::Test::HasFatalFailure()) return;
            const float* in[] = {&source.left[start], &source.right[start]};
            float* out[] = {&output.left[start], &output.right[start]};
            processStereoBlock({settings, 1.0f, decay}, state, in, out, count, row.replace);
            for (int32_t i = start; i < start + count; ++i) {
                const float gain =
                    perCall.computeGain(GainComputer::kMidLevel, 1, input.left[i], input.right[i]);
                const float left = row.replace ? gain * input.left[i] : gain * input.left[i] + before.left[i];
                const float right =
                    row.replace ? gain * input.right[i] : gain * input.right[i] + before.right[i];
                ASSERT_TRUE(sameBits(output.left[i], left) && sameBits(output.right[i], right))
                    << "frame " << i << " gives " << output.left[i] << ", " << output.right[i] << ", not "
                    << left << ", " << right;
                followPeak(holds.gainReduction, 1.0f - gain, decay);
                followPeak(holds.inputLeft, input.left[i], decay);
                followPeak(holds.inputRight, input.right[i], decay);
                followPeak(holds.outputLeft, left, decay);
                followPeak(holds.outputRight, right, decay);
            }
            ASSERT_EQ(state.envelope, perCall.slotEnvelope(1)) << "after frame " << start + count;
            ASSERT_EQ(state.lastGain, perCall.slotGain(1)) << "after frame " << start + count;
            ASSERT_TRUE(sameBits(state.holds.gainReduction, holds.gainReduction) &&
                        sameBits(state.holds.inputLeft, holds.inputLeft) &&
                        sameBits(state.holds.inputRight, holds.inputRight) &&
                        sameBits(state.holds.outputLeft, holds.outputLeft) &&
                        sameBits(state.holds.outputRight, holds.outputRight))
                << "holds after frame " << start + count;
        });
        if (::testing::Test::HasFatalFailure()) return; // the first wrong frame ends the test
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

// A selector position sets attack and release together. Another thread moves the selector round three
// positions that differ in both, without pause, and counts the changes it has completed. Every block
// must start with one position's pair, never one position's attack with another's release, and never
// with the pair from before the last change completed ahead of it: a block read while no change
// completes, after change c, runs with the pair of c or of the change under way, never that of c - 1.
// The loop ends when the writer has completed its changes and enough blocks were checked; the time
// limit only keeps a failure from hanging.
TEST(BlockSettings, TimeConstantPairIsNeverSeenHalfChangedOrStale) {
    using Pair = std::pair<double, double>;
    constexpr float kPositions[] = {0.0f, 0.5f, 0.7f}; // 0.2 / 300 ms, 0.4 / 2000 ms, 0.8 / 5000 ms
    constexpr int64_t kChanges = 20000, kChecks = 20000;
    OpenCompressor compressor;
    const auto blockPair = [&compressor] {
        const GainComputer::Settings settings = compressor.blockSettings();
        return Pair(settings.coefficients[0], settings.coefficients[1]);
    };
    Pair pairs[3];
    for (int k = 2; k >= 0; --k) {
        compressor.setParameterValue(CompressorBase::kTimeConstant, kPositions[k]);
        pairs[k] = blockPair();
    }
    std::atomic<bool> running{true};
    std::atomic<int64_t> completed{0}; // change c sets position c % 3; change 0 is the one above
    std::thread writer([&] {
        for (int64_t change = 1; running.load(); ++change) {
            compressor.setParameterValue(CompressorBase::kTimeConstant, kPositions[change % 3]);
            completed.store(change, std::memory_order_release);
        }
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    int64_t checked = 0;
    while ((completed.load() < kChanges || checked < kChecks) &&
           std::chrono::steady_clock::now() < deadline) {
        const int64_t before = completed.load(std::memory_order_acquire);
        const Pair pair = blockPair();
        const int64_t after = completed.load(std::memory_order_acquire);
        const int64_t position = std::find(pairs, pairs + 3, pair) - pairs;
        ASSERT_LT(position, 3) << "one position's attack with another's release, after change " << before;
        if (before != after) continue;
        ++checked;
        ASSERT_NE(position, (before + 2) % 3) << "a block kept the pair from before change " << before;
    }
    running.store(false);
    writer.join();
    EXPECT_GE(completed.load(), kChanges) << "the writer did not complete its changes in time";
    EXPECT_GE(checked, kChecks) << "too few blocks were read while no change completed";
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

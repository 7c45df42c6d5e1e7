// Paired timing: what it counts, the order in which it runs the two routines, and the bit-for-bit check.

#include "tools/bench/PairedRun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

StereoSignal ramp(int32_t frames) {
    StereoSignal signal{std::size_t(frames)};
    for (int32_t i = 0; i < frames; ++i) {
        signal.left[i] = float(i) / float(frames);
        signal.right[i] = -signal.left[i];
    }
    return signal;
}

// Halves the input into the output, adding to what is there when accumulating.
BlockRoutine halving(bool accumulate) {
    return [accumulate](float** in, float** out, int32_t frames) {
        for (int channel = 0; channel < 2; ++channel)
            for (int32_t i = 0; i < frames; ++i)
                out[channel][i] = 0.5f * in[channel][i] + (accumulate ? out[channel][i] : 0.0f);
    };
}

constexpr int32_t kChunk = PairedRun::kChunkFrames;
constexpr int32_t kBlock = PairedRun::kBlockFrames;

TEST(PairedRun, CountsTimedFramesAndComparesEveryBlock) {
    PairedRun run(halving(false), halving(false), false);
    run.run(ramp(2 * kChunk + 3 * kBlock), true);
    run.run(ramp(kChunk), false);
    EXPECT_EQ(run.timedFrames(), 2 * kChunk + 3 * kBlock);
    EXPECT_EQ(run.comparedBlocks(), 3 * PairedRun::kChunkBlocks + 3);
    EXPECT_EQ(run.mismatch(), "");
}

TEST(PairedRun, UntimedRunsCountNoTime) {
    PairedRun run(halving(false), halving(false), false);
    run.run(ramp(kChunk), false);
    EXPECT_EQ(run.timedFrames(), 0);
    EXPECT_EQ(run.firstSeconds(), 0.0);
    EXPECT_EQ(run.secondSeconds(), 0.0);
    EXPECT_EQ(run.medianRatio(), 0.0);
}

// A clock that moves only when a routine says it took time.
struct FakeTime {
    double seconds = 0.0;
    Clock clock() {
        return [this] { return seconds; };
    }
    BlockRoutine taking(double perBlock) {
        return [this, perBlock](float** in, float** out, int32_t frames) {
            halving(false)(in, out, frames);
            seconds += perBlock;
        };
    }
};

TEST(PairedRun, SumsTheTimeOfEachSide) {
    FakeTime time;
    PairedRun run(time.taking(3.0), time.taking(1.0), false, time.clock());
    run.run(ramp(2 * kChunk + kBlock), true);
    const int32_t blocks = 2 * PairedRun::kChunkBlocks + 1;
    EXPECT_EQ(run.firstSeconds(), 3.0 * blocks);
    EXPECT_EQ(run.secondSeconds(), 1.0 * blocks);
}

// A few chunks where one side was held up move the sums, not the median.
TEST(PairedRun, MedianRatioIgnoresAFewDisturbedChunks) {
    FakeTime time;
    int32_t blocks = 0;
    BlockRoutine sometimesSlow = [&time, &blocks](float** in, float** out, int32_t frames) {
        halving(false)(in, out, frames);
        time.seconds += blocks++ < PairedRun::kChunkBlocks ? 100.0 : 2.0;
    };
    PairedRun run(sometimesSlow, time.taking(1.0), false, time.clock());
    run.run(ramp(5 * kChunk), true);
    EXPECT_EQ(run.medianRatio(), 2.0);
    EXPECT_GT(run.firstSeconds() / run.secondSeconds(), 10.0);
}

TEST(PairedRun, TheRoutineThatGoesFirstAlternatesByChunk) {
    std::string order;
    auto recording = [&order](char name) {
        return [&order, name](float**, float** out, int32_t frames) {
            order += name;
            std::fill(out[0], out[0] + frames, 0.0f);
            std::fill(out[1], out[1] + frames, 0.0f);
        };
    };
    PairedRun run(recording('a'), recording('b'), false);
    run.run(ramp(3 * kChunk), true);
    const std::string a(PairedRun::kChunkBlocks, 'a'), b(PairedRun::kChunkBlocks, 'b');
    EXPECT_EQ(order, a + b + b + a + a + b);
}

TEST(PairedRun, NamesTheFirstBlockAndFrameThatDiffer) {
    const int32_t differing = 2 * kChunk + 5 * kBlock + 17;
    int32_t seen = 0;
    BlockRoutine offByOne = [&seen](float** in, float** out, int32_t frames) {
        halving(false)(in, out, frames);
        if (seen <= differing && differing < seen + frames)
            out[1][differing - seen] = std::nextafter(out[1][differing - seen], 1.0f);
        seen += frames;
    };
    PairedRun run(halving(false), offByOne, false);
    run.run(ramp(4 * kChunk), true);
    const std::string expected = "block " + std::to_string(2 * PairedRun::kChunkBlocks + 5) + ", frame 17";
    EXPECT_EQ(run.mismatch().substr(0, expected.size()), expected) << run.mismatch();
}

// Accumulating, both routines find the same signal in their outputs; one that overwrites it differs.
TEST(PairedRun, AccumulatingRoutinesAddToTheSameOutputs) {
    PairedRun same(halving(true), halving(true), true);
    same.run(ramp(kChunk), true);
    EXPECT_EQ(same.mismatch(), "");
    PairedRun different(halving(true), halving(false), true);
    different.run(ramp(kChunk), true);
    EXPECT_NE(different.mismatch(), "");
}

} // namespace

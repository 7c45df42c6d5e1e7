#pragma once
// Two block routines run alternately on the same input, one chunk of blocks at a time, with each chunk
// timed for each routine and their outputs compared bit for bit. Alternating in short chunks exposes
// both to the same machine load, so their ratio holds up on a busy machine where either time alone does
// not; a chunk of several blocks keeps the clock's own cost small against the work timed.

#include "tools/host/StereoSignal.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Processes one block: two input channels, two output channels, the number of frames.
using BlockRoutine = std::function<void(float**, float**, int32_t)>;
// Answers a time in seconds from a steady origin.
using Clock = std::function<double()>;

double steadySeconds();

class PairedRun {
public:
    static constexpr int32_t kBlockFrames = 512;
    static constexpr int32_t kChunkBlocks = 16;
    static constexpr int32_t kChunkFrames = kBlockFrames * kChunkBlocks;

    // With accumulate, both routines add to outputs that hold the same quiet signal before each chunk.
    PairedRun(BlockRoutine first, BlockRoutine second, bool accumulate, Clock clock = steadySeconds);

    // Runs the whole signal (a whole number of blocks) through both routines; the time counts when timed.
    void run(const StereoSignal& signal, bool timed);

    // The median over the timed chunks of first time / second time: a burst of load from elsewhere that
    // hits one side of a few chunks moves the sums, but not this.
    double medianRatio() const;
    double firstSeconds() const { return seconds[0]; }
    double secondSeconds() const { return seconds[1]; }
    int64_t timedFrames() const { return framesTimed; }
    int64_t comparedBlocks() const { return blocksCompared; }
    // Empty while every output agreed; otherwise where they first differed.
    const std::string& mismatch() const { return firstMismatch; }

private:
    struct Side {
        BlockRoutine routine;
        std::vector<float> left;
        std::vector<float> right;
    };

    void runChunk(const StereoSignal& signal, int32_t start, int32_t frames, bool timed);
    double runSide(Side& side, const StereoSignal& signal, int32_t start, int32_t frames);
    void compare(int32_t frames);

    Side sides[2];
    bool accumulating;
    Clock now;
    std::vector<float> bed; // what the outputs hold before an accumulating chunk
    double seconds[2] = {0.0, 0.0};
    std::vector<double> chunkRatios;
    int64_t framesTimed = 0;
    int64_t blocksCompared = 0;
    int64_t chunksRun = 0;
    std::string firstMismatch;
};

#include "tools/bench/PairedRun.h"

#include "tools/host/UniformNoise.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

// A quiet, deterministic signal for the outputs to hold before an accumulating chunk.
std::vector<float> quietBed() {
    std::vector<float> bed(PairedRun::kChunkFrames);
    UniformNoise source(7);
    for (float& sample : bed)
        sample = 0.1f * source.next();
    return bed;
}

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Enough digits to tell any two floats apart.
std::string exact(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", double(value));
    return text;
}

} // namespace

double steadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

PairedRun::PairedRun(BlockRoutine first, BlockRoutine second, bool accumulate, Clock clock)
    : sides{{std::move(first), std::vector<float>(kChunkFrames), std::vector<float>(kChunkFrames)},
            {std::move(second), std::vector<float>(kChunkFrames), std::vector<float>(kChunkFrames)}},
      accumulating(accumulate), now(std::move(clock)), bed(quietBed()) {}

void PairedRun::run(const StereoSignal& signal, bool timed) {
    const int32_t length = int32_t(signal.left.size());
    for (int32_t start = 0; start < length; start += kChunkFrames)
        runChunk(signal, start, std::min(kChunkFrames, length - start), timed);
}

// The routine that goes first changes from chunk to chunk, so neither always finds the caches as the
// other left them.
void PairedRun::runChunk(const StereoSignal& signal, int32_t start, int32_t frames, bool timed) {
    const int leader = int(chunksRun++ % 2);
    const double leaderTime = runSide(sides[leader], signal, start, frames);
    const double followerTime = runSide(sides[1 - leader], signal, start, frames);
    if (timed) {
        seconds[leader] += leaderTime;
        seconds[1 - leader] += followerTime;
        framesTimed += frames;
        chunkRatios.push_back(leader == 0 ? leaderTime / followerTime : followerTime / leaderTime);
    }
    compare(frames);
}

double PairedRun::medianRatio() const {
    if (chunkRatios.empty()) return 0.0;
    std::vector<double> sorted = chunkRatios;
    const auto middle = sorted.begin() + std::ptrdiff_t(sorted.size() / 2);
    std::nth_element(sorted.begin(), middle, sorted.end());
    return *middle;
}

double PairedRun::runSide(Side& side, const StereoSignal& signal, int32_t start, int32_t frames) {
    if (accumulating) {
        std::copy(bed.begin(), bed.begin() + frames, side.left.begin());
        std::copy(bed.begin(), bed.begin() + frames, side.right.begin());
    }
    const double begin = now();
    for (int32_t done = 0; done < frames; done += kBlockFrames) {
        float* inputs[] = {const_cast<float*>(&signal.left[start + done]),
                           const_cast<float*>(&signal.right[start + done])};
        float* outputs[] = {&side.left[done], &side.right[done]};
        side.routine(inputs, outputs, std::min(kBlockFrames, frames - done));
    }
    return now() - begin;
}

void PairedRun::compare(int32_t frames) {
    const Side& a = sides[0];
    const Side& b = sides[1];
    for (int32_t i = 0; i < frames && firstMismatch.empty(); ++i)
        if (!sameBits(a.left[i], b.left[i]) || !sameBits(a.right[i], b.right[i]))
            firstMismatch = "block " + std::to_string(blocksCompared + i / kBlockFrames) + ", frame " +
                            std::to_string(i % kBlockFrames) + ": left " + exact(a.left[i]) + " and " +
                            exact(b.left[i]) + ", right " + exact(a.right[i]) + " and " + exact(b.right[i]);
    blocksCompared += (frames + kBlockFrames - 1) / kBlockFrames;
}

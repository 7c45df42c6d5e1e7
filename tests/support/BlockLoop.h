#pragma once
// Stereo buffers and the loop that hands a signal to a processor in blocks, as a host does.

#include <algorithm>
#include <cstdint>
#include <vector>

struct StereoSignal {
    std::vector<float> left;
    std::vector<float> right;

    explicit StereoSignal(std::size_t frames = 0, float value = 0.0f)
        : left(frames, value), right(frames, value) {}
    int32_t frames() const { return int32_t(left.size()); }
};

// Calls block(start, count) for consecutive blocks of blockSize frames covering frames; the last block
// may be shorter.
template <typename Block> void forEachBlock(int32_t frames, int32_t blockSize, Block block) {
    for (int32_t start = 0; start < frames; start += blockSize)
        block(start, std::min(blockSize, frames - start));
}

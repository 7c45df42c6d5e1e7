#pragma once
// Two channels of audio as the tools and tests hold them: the one stereo buffer type of every program.

#include <cstddef>
#include <cstdint>
#include <vector>

struct StereoSignal {
    std::vector<float> left;
    std::vector<float> right;

    explicit StereoSignal(std::size_t frames = 0, float value = 0.0f)
        : left(frames, value), right(frames, value) {}
    int32_t frames() const { return int32_t(left.size()); }
};

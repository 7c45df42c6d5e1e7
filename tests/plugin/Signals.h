#pragma once
// Test signals: a steady tone, drum-like noise bursts and a step, each stereo and deterministic; and the
// bit-for-bit comparison of samples that runs over them are checked by.

#include "tests/plugin/OpenCompressor.h"
#include "tools/host/UniformNoise.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace signals {

inline StereoSignal tone(int32_t frames, float amplitude, double hertz, int32_t rate = 44100) {
    StereoSignal signal(frames);
    for (int32_t i = 0; i < frames; ++i) {
        signal.left[i] = float(amplitude * std::sin(6.283185307179586 * hertz * i / rate));
        signal.right[i] = float(0.8 * amplitude * std::sin(6.283185307179586 * hertz * 1.5 * i / rate));
    }
    return signal;
}

// Bursts of noise every quarter second, each falling by 60 dB within its first 100 ms.
inline StereoSignal bursts(int32_t frames, float amplitude, int32_t rate = 44100) {
    StereoSignal signal(frames);
    UniformNoise source(12345);
    const int32_t period = rate / 4;
    for (int32_t i = 0; i < frames; ++i) {
        const float noise = source.next();
        const float fall = float(std::pow(10.0, -3.0 * (i % period) / (0.1 * rate)));
        signal.left[i] = amplitude * fall * noise;
        signal.right[i] = -0.5f * amplitude * fall * noise;
    }
    return signal;
}

// Silence, then the same level on both channels from the given frame on.
inline StereoSignal step(int32_t frames, int32_t at, float before, float after) {
    StereoSignal signal(frames, before);
    for (int32_t i = at; i < frames; ++i)
        signal.left[i] = signal.right[i] = after;
    return signal;
}

} // namespace signals

// The same bits: unlike ==, NaN matches NaN of the same pattern and 0 does not match -0.
inline bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

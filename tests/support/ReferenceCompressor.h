#pragma once
// The compressor's sound written directly from its laws, one frame at a time and without any of the
// product's code, to compare the product's output with.

#include <cstdint>

class ReferenceCompressor {
public:
    ReferenceCompressor() { selectProgram(0); }

    // Indices 0 to 3 as the host sets them.
    void set(int32_t index, float value);
    void selectProgram(int32_t program);
    // One frame; the outputs are added to when replace is false.
    void frame(float left, float right, float& outLeft, float& outRight, bool replace);
    // The read-out of indices 22 to 26.
    float meter(int32_t index) const;

private:
    static double coefficient(double milliseconds, int32_t sampleRate);
    static void hold(float& level, float sample, double decay);

    // The times and the meters' fall are fixed at the rate the instance starts with; a host's later rate
    // does not reach them.
    static constexpr int32_t kRate = 44100;
    double attackMs = 2.0;
    double releaseMs = 50.0;
    double envelope = 0.0;
    float threshold = 0.0f;
    float detectorGain = 0.0f;
    float outputGain = 0.0f;
    float holds[5] = {};
};

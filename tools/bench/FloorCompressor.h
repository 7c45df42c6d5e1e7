#pragma once
// The floor the plug-in is measured against: the same per-frame arithmetic as the plug-in's block
// routine (detector, envelope with attack and release, square-root gain law, output gain, the five
// holds with their non-finite guards, denormals flushed around the block), written as one plain loop
// with the settings in locals. Compiled with the plug-in's flags; only the plug-in's structure (entry,
// dispatch, shared settings loaded at every frame) is missing.

#include <cstdint>

class FloorCompressor {
public:
    FloorCompressor();
    void process(const float* const* inputs, float* const* outputs, int32_t frames);
    // Everything the loop keeps, folded into one number, so that no work can be left out.
    double checksum() const;

private:
    double coefficients[2]; // falling, rising
    double envelope = 0.0;
    double decay;
    float detectorGain;
    float threshold;
    float outputGain;
    float holds[5] = {};
};

#pragma once
// The audio thread's work on one block of the linked stereo pair: detector, envelope, gain law, output
// gain and the five peak holds, exactly as the frame-by-frame laws give them, bit for bit, but shaped
// for speed (BlockPipeline.cpp says how). It allocates nothing, takes no lock and calls nothing; the
// caller sets the denormal flush around it.

#include "plugin/GainComputer.h"

#include <cstdint>

// The five holds, in the order of the meters.
struct MeterHolds {
    float gainReduction;
    float inputLeft;
    float inputRight;
    float outputLeft;
    float outputRight;
};

// What one block runs with, read once at its start.
struct BlockSettings {
    GainComputer::Settings gain;
    float outputGain;
    double meterDecay;
};

// What outlives the block: the envelope, the gain of the last frame and the holds.
struct BlockState {
    double envelope;
    float lastGain;
    MeterHolds holds;
};

// frames > 0. With replace false the outputs are added to. Inputs and outputs may be the same buffers.
void processStereoBlock(const BlockSettings& settings, BlockState& state, const float* const* inputs,
                        float* const* outputs, int32_t frames, bool replace);

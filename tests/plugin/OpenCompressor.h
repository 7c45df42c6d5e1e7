#pragma once
// The compressor with its running state in view, and the loop that drives it block by block.

#include "plugin/CompressorBase.h"
#include "tests/support/BlockLoop.h"

class OpenCompressor : public CompressorBase {
public:
    OpenCompressor() : CompressorBase(nullptr) {}

    const GainComputer& detector() const { return gainComputer; }
    GainComputer::Settings blockSettings() { return gainComputer.settings(); }
    double envelope() const { return gainComputer.slotEnvelope(1); }
    float gainApplied() const { return outputGain.load(); }
    double decay() const { return meterDecay.load(); }
    int32_t meterRate() const { return meterSampleRate; }
    float inputHold(int channel) const { return channel == 0 ? inputHoldLeft.load() : inputHoldRight.load(); }
    float outputHold(int channel) const {
        return channel == 0 ? outputHoldLeft.load() : outputHoldRight.load();
    }
    float reductionHold() const { return gainReductionHold.load(); }
};

// Runs the whole signal through the compressor in blocks of the given size; answers the outputs.
inline StereoSignal processInBlocks(CompressorBase& compressor, const StereoSignal& input, int32_t blockSize,
                                    bool replace = true) {
    StereoSignal output(input.left.size());
    forEachBlock(input.frames(), blockSize, [&](int32_t start, int32_t count) {
        float* in[] = {const_cast<float*>(&input.left[start]), const_cast<float*>(&input.right[start])};
        float* out[] = {&output.left[start], &output.right[start]};
        if (replace)
            compressor.processReplace(in, out, count);
        else
            compressor.processAdd(in, out, count);
    });
    return output;
}

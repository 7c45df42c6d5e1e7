#pragma once
// The floor the plug-in is measured against: the tightest plain loop of the compressor's per-frame
// arithmetic, written from its laws (detector, envelope with attack and release, square-root gain law
// capped at 1, output gain, the five peak holds, denormals flushed around the block), with every setting
// and every piece of state in locals and the envelope's coefficient picked between two locals, not loaded.
// It guards nothing on its chains: it is exact only for finite input, which is all the benchmark feeds
// it. On such input the plug-in must agree with it bit for bit; then both did the same work, and the ratio
// of their times is what the plug-in's code costs or saves against a plain loop.

#include <cstdint>

class FloorCompressor {
public:
    // The four parameter values as a host sets them (0 to 1), at the given sample rate.
    FloorCompressor(float threshold, float attack, float timeConstant, float gain, int32_t sampleRate);

    void process(const float* const* inputs, float* const* outputs, int32_t frames, bool replace);
    // What the plug-in answers for meter indices 22 to 26.
    float meterReading(int32_t index) const;

private:
    template <bool replace>
    void run(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int32_t frames);

    int32_t rate;
    double attackCoefficient;
    double releaseCoefficient;
    double holdDecay;
    float detectorGain;
    float kneeThreshold;
    float makeUp;
    double envelope = 0.0;
    // Gain reduction, input left, input right, output left, output right: the order of the meters.
    float peaks[5] = {};
};

#pragma once
// The floor the plug-in is measured against: the compressor's per-frame arithmetic (detector, envelope
// with attack and release, square-root gain law, output gain, the five holds with their non-finite
// guards, denormals flushed around the block) as one loop with every setting and every piece of state in
// locals, compiled with the plug-in's flags. It is written from the laws, not from the plug-in's code, so
// the benchmark can require the two to agree bit for bit: then both did the same work, and the ratio of
// their times is what the plug-in's structure costs.

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
    double smoothing[2]; // level falling or holding, level rising
    double holdDecay;
    float detectorGain;
    float kneeThreshold;
    float makeUp;
    double envelope = 0.0;
    // Gain reduction, input left, input right, output left, output right: the order of the meters.
    float peaks[5] = {};
};

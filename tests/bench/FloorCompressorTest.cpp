// The benchmark's floor against the plug-in's own block routine: the same output and meters, bit for bit,
// over the settings and block sizes a bench could use, in both modes.

#include "tools/bench/FloorCompressor.h"
#include "tests/plugin/OpenCompressor.h"
#include "tests/plugin/Signals.h"

#include <gtest/gtest.h>

namespace {

struct Settings {
    float threshold, attack, timeConstant, gain;
};

void expectSameRun(const Settings& s, const StereoSignal& input, int32_t blockSize, bool replace) {
    OpenCompressor product;
    const float values[] = {s.threshold, s.attack, s.timeConstant, s.gain};
    for (int32_t index = 0; index < 4; ++index)
        product.setParameterValue(index, values[index]);
    FloorCompressor floor(s.threshold, s.attack, s.timeConstant, s.gain, 44100);
    StereoSignal productOut(input.left.size(), 0.125f), floorOut(input.left.size(), 0.125f);
    forEachBlock(input.frames(), blockSize, [&](int32_t start, int32_t count) {
        float* in[] = {const_cast<float*>(&input.left[start]), const_cast<float*>(&input.right[start])};
        float* productOutputs[] = {&productOut.left[start], &productOut.right[start]};
        float* floorOutputs[] = {&floorOut.left[start], &floorOut.right[start]};
        product.processBlock(in, productOutputs, count, replace);
        floor.process(in, floorOutputs, count, replace);
    });
    const std::string what = "settings " + std::to_string(s.threshold) + ", " + std::to_string(s.attack) +
                             ", " + std::to_string(s.timeConstant) + ", " + std::to_string(s.gain) +
                             ", blocks of " + std::to_string(blockSize) +
                             (replace ? ", replacing" : ", accumulating");
    for (int32_t i = 0; i < input.frames(); ++i)
        ASSERT_TRUE(sameBits(productOut.left[i], floorOut.left[i]) &&
                    sameBits(productOut.right[i], floorOut.right[i]))
            << what << ": frame " << i << " gives " << productOut.left[i] << ", " << productOut.right[i]
            << ", the floor " << floorOut.left[i] << ", " << floorOut.right[i];
    for (int32_t meter = 22; meter <= 26; ++meter)
        EXPECT_TRUE(sameBits(product.parameterValue(meter), floor.meterReading(meter)))
            << what << ": meter " << meter << " reads " << product.parameterValue(meter) << ", the floor "
            << floor.meterReading(meter);
}

TEST(FloorCompressor, MatchesThePluginBitForBit) {
    const Settings settings[] = {{0.2f, 0.5f, 0.4f, 0.5f}, {0.5f, 0.8f, 0.0f, 0.9f},
                                 {0.9f, 0.3f, 0.6f, 0.2f}, {0.1f, 1.0f, 1.0f, 1.0f},
                                 {0.3f, 0.6f, 0.8f, 0.7f}, {0.0f, 0.0f, 0.2f, 0.0f}};
    const StereoSignal input = signals::bursts(20000, 1.0f);
    for (const Settings& s : settings)
        for (bool replace : {true, false}) {
            expectSameRun(s, input, 512, replace);
            expectSameRun(s, input, 37, replace);
        }
}

// Silence after a burst sends the envelope and the holds toward numbers too small to be normal.
TEST(FloorCompressor, MatchesThePluginThroughLongSilence) {
    StereoSignal input = signals::bursts(3 * 44100, 1.0f);
    for (int32_t i = 11025; i < input.frames(); ++i)
        input.left[i] = input.right[i] = 0.0f;
    expectSameRun({0.2f, 0.5f, 0.4f, 0.5f}, input, 512, true);
}

TEST(FloorCompressor, InputMetersReadZeroForAZeroHold) {
    const FloorCompressor floor(0.2f, 0.5f, 0.4f, 0.5f, 44100);
    for (int32_t meter = 22; meter <= 26; ++meter)
        EXPECT_EQ(floor.meterReading(meter), 0.0f) << "meter " << meter;
    EXPECT_EQ(floor.meterReading(21), 0.0f);
}

} // namespace

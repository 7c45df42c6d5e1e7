// The compressor's output and meters against a model written directly from the laws, sample by sample,
// on several signals and programs, with parameter changes between blocks.

#include "tests/plugin/OpenCompressor.h"
#include "tests/plugin/Signals.h"
#include "tests/support/ReferenceCompressor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

struct ParameterChange {
    int32_t atFrame;
    int32_t index;
    float value;
};

struct Case {
    std::string name;
    StereoSignal signal;
    int32_t program;
    int32_t blockSize;
    std::vector<ParameterChange> changes;
};

bool close(float product, float model) {
    return std::fabs(product - model) <= 2e-5f * std::max(std::fabs(product), std::fabs(model)) + 1e-12f;
}

// Runs both block by block, applying each change before the block that starts at its frame.
void compare(const Case& test) {
    OpenCompressor product;
    ReferenceCompressor model;
    product.selectProgram(test.program);
    model.selectProgram(test.program);
    StereoSignal out(test.signal.left.size());
    auto change = test.changes.begin();
    forEachBlock(test.signal.frames(), test.blockSize, [&](int32_t start, int32_t count) {
        if (::testing::Test::HasFatalFailure()) return; // one mismatch is reported, not every later block
        for (; change != test.changes.end() && change->atFrame <= start; ++change) {
            product.setParameterValue(change->index, change->value);
            model.set(change->index, change->value);
        }
        float* in[] = {const_cast<float*>(&test.signal.left[start]),
                       const_cast<float*>(&test.signal.right[start])};
        float* outputs[] = {&out.left[start], &out.right[start]};
        product.processReplace(in, outputs, count);
        for (int32_t i = start; i < start + count; ++i) {
            float left = 0, right = 0;
            model.frame(test.signal.left[i], test.signal.right[i], left, right, true);
            ASSERT_TRUE(close(out.left[i], left) && close(out.right[i], right))
                << test.name << ": frame " << i << " input " << test.signal.left[i] << ", "
                << test.signal.right[i] << " gives " << out.left[i] << ", " << out.right[i] << ", the model "
                << left << ", " << right;
        }
        for (int32_t meter = 22; meter <= 26; ++meter)
            ASSERT_TRUE(close(product.parameterValue(meter), model.meter(meter)))
                << test.name << ": meter " << meter << " after frame " << start + count << " reads "
                << product.parameterValue(meter) << ", the model " << model.meter(meter);
    });
}

TEST(ReferenceModel, OutputsAndMetersFollowTheLawsSampleBySample) {
    const int32_t second = 44100;
    const Case cases[] = {
        {"quiet tone, default program", signals::tone(second, 0.05f, 440), 0, 512, {}},
        {"loud tone, program 1", signals::tone(second, 0.9f, 220), 1, 512, {}},
        {"bursts, program 6, odd blocks", signals::bursts(2 * second, 1.0f), 6, 37, {}},
        {"bursts, program 4, single frames", signals::bursts(second / 2, 0.7f), 4, 1, {}},
        {"step up and down, program 2", signals::step(second, 100, 0.0f, 0.8f), 2, 256, {}},
        {"tone with changes between blocks",
         signals::tone(2 * second, 0.6f, 330),
         0,
         512,
         {{5120, 0, 0.5f},
          {10240, 1, 0.8f},
          {20480, 2, 0.0f},
          {30720, 3, 0.9f},
          {40960, 2, 1.0f},
          {51200, 1, 0.3f},
          {61440, 0, 0.1f},
          {71680, 3, 0.2f}}},
        {"bursts with threshold off and on",
         signals::bursts(second, 0.9f),
         3,
         128,
         {{0, 0, 0.0f}, {22016, 0, 0.9f}}},
    };
    for (const Case& test : cases)
        compare(test);
}

} // namespace

// The four parameters: their laws on the gain computer and the output gain, the six time-constant
// positions, the hidden value, and the names, labels and display texts the host shows.

#include "host/Opcodes.h"
#include "tests/plugin/OpenCompressor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(ParameterLaws, ThresholdDetectorGainAndOutputGain) {
    struct Row {
        float value;
        float threshold;
        float detectorGain;
        float outputGain;
    };
    const Row rows[] = {
        {0.0f, std::numeric_limits<float>::infinity(), 0.0f, 0.0f},
        {0.2f, 0.480769f, 0.4f, 0.4f},
        {0.25f, 0.307692f, 0.5f, 0.5f},
        {0.5f, 0.0769231f, 1.0f, 1.0f},
        {0.75f, 0.0341880f, 6.0f, 4.75f},
        {1.0f, 0.0192308f, 11.0f, 8.5f},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "value " << row.value);
        OpenCompressor compressor;
        for (int32_t index = 0; index < 4; ++index)
            compressor.setParameterValue(index, row.value);
        const float threshold = compressor.detector().thresholdValue();
        EXPECT_TRUE(threshold == row.threshold ||
                    std::fabs(threshold - row.threshold) <= row.threshold * 1e-5f)
            << "threshold " << threshold;
        EXPECT_FLOAT_EQ(compressor.detector().detectorGainValue(), row.detectorGain);
        EXPECT_FLOAT_EQ(compressor.gainApplied(), row.outputGain);
        for (int32_t index = 0; index < 4; ++index)
            EXPECT_EQ(compressor.parameterValue(index), row.value) << "index " << index;
    }
}

TEST(ParameterLaws, NaNGainLeavesTheOutputGain) {
    OpenCompressor compressor;
    compressor.setParameterValue(CompressorBase::kGain, 0.75f);
    compressor.setParameterValue(CompressorBase::kGain, kNaN);
    EXPECT_EQ(compressor.gainApplied(), 4.75f);
    EXPECT_TRUE(std::isnan(compressor.parameterValue(CompressorBase::kGain)));
}

TEST(ParameterLaws, TimeConstantPositions) {
    struct Row {
        float value;
        double attackMs;
        double releaseMs;
    };
    // Values outside the six positions keep the times before them (program 0: 0.4 ms, 2000 ms).
    const Row rows[] = {
        {0.0f, 0.2f, 300},   {0.19f, 0.2f, 300},   {-0.1f, 0.2f, 300}, {0.2f, 0.2f, 800},
        {0.4f, 0.4f, 2000},  {0.6f, 0.8f, 5000},   {0.8f, 0.2f, 2000}, {0.99f, 0.2f, 2000},
        {1.0f, 0.2f, 10000}, {1.19f, 0.2f, 10000}, {1.3f, 0.4f, 2000}, {-0.3f, 0.4f, 2000},
        {kNaN, 0.4f, 2000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "value " << row.value);
        OpenCompressor compressor;
        compressor.setParameterValue(CompressorBase::kTimeConstant, row.value);
        EXPECT_EQ(compressor.detector().attackTime(), row.attackMs);
        EXPECT_EQ(compressor.detector().releaseTime(), row.releaseMs);
    }
}

TEST(Parameters, HiddenValueAndUnusedIndices) {
    OpenCompressor compressor;
    compressor.setParameterValue(CompressorBase::kSpare, 0.7f);
    EXPECT_EQ(compressor.parameterValue(CompressorBase::kSpare), 0.7f);
    for (int32_t index : {4, 5, 21, 28, -1}) {
        compressor.setParameterValue(index, 0.7f);
        EXPECT_EQ(compressor.parameterValue(index), 0.0f) << "index " << index;
    }
    char name[32];
    compressor.currentProgramName(name);
    EXPECT_STREQ(name, "Basic Compressor");
    EXPECT_EQ(compressor.parameterValue(CompressorBase::kThreshold), 0.2f) << "program values untouched";
}

std::string askText(OpenCompressor& compressor, int32_t opcode, int32_t index) {
    char text[64];
    std::memset(text, '#', sizeof text);
    text[sizeof text - 1] = '\0';
    compressor.dispatch(opcode, index, 0, text, 0.0f);
    return text;
}

// The display formats over 0 to 1, and values far outside it, infinities and NaN: the text never passes
// its stated length, and a number that would is shown as "Huge!". The bytes behind the longest text stay
// as they were.
TEST(ParameterTexts, DisplaysFollowTheFormatsAndAreCapped) {
    struct Row {
        int32_t index;
        float value;
        const char* display;
    };
    const Row rows[] = {
        {0, 0.0f, "0.0"},        {0, 0.5f, "-28.2"},      {0, 1.0f, "-40.0"},      {0, 3e38f, "Huge!"},
        {0, -kInf, "Huge!"},     {0, kNaN, "NaN"},        {0, 10.0f, "-79.9"},     {1, 0.0f, "2.0  ms"},
        {1, 0.5f, "201.5  ms"},  {1, 1.0f, "800.0  ms"},  {1, 3e38f, "Huge!  ms"}, {1, kInf, "Huge!  ms"},
        {1, kNaN, "NaN  ms"},    {1, 3.0f, "7184.0  ms"}, {1, -1.0f, "800.0  ms"}, {2, 0.0f, "3.0  ms"},
        {2, 0.4f, "802.5  ms"},  {2, 1.0f, "5000.0  ms"}, {2, 1.42f, "Huge!  ms"}, {2, -kInf, "Huge!  ms"},
        {2, 1.4f, "9797.1  ms"}, {3, 1.0f, "15.6"},       {3, 0.5f, "0.0"},        {3, 0.45f, "-6.0"},
        {3, 0.4f, "-144.5"},     {3, 0.39f, "-oo"},       {3, 0.0f, "-oo"},        {3, 3e38f, "789.5"},
        {3, kInf, "Huge!"},      {3, -kInf, "-oo"},       {3, -3e38f, "-oo"},      {3, kNaN, "NaN"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "index " << row.index << " value " << row.value);
        OpenCompressor compressor;
        compressor.setParameterValue(row.index, row.value);
        char text[32];
        std::memset(text, '#', sizeof text);
        compressor.dispatch(effGetParamDisplay, row.index, 0, text, 0.0f);
        EXPECT_STREQ(text, row.display);
        const std::size_t behind = CompressorBase::kDisplayLength + 1;
        EXPECT_EQ(std::string(text + behind, sizeof text - behind), std::string(sizeof text - behind, '#'))
            << "bytes behind the longest text";
    }
}

TEST(ParameterTexts, NamesAndLabels) {
    OpenCompressor compressor;
    const char* names[] = {"Threshold", "Attack", "Time Constant", "Gain"};
    for (int32_t index = 0; index < 4; ++index) {
        EXPECT_EQ(askText(compressor, effGetParamName, index), names[index]);
        EXPECT_EQ(askText(compressor, effGetParamLabel, index), "Value");
    }
}

TEST(ParameterTexts, OtherIndicesLeaveTheBufferUntouched) {
    OpenCompressor compressor;
    const std::string untouched(63, '#');
    for (int32_t opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay})
        for (int32_t index : {4, 22, 27, -1})
            EXPECT_EQ(askText(compressor, opcode, index), untouched)
                << "opcode " << opcode << " index " << index;
}

} // namespace

// The renderer driving a compressor instance through its record, as it drives the loaded library.

#include "tools/host/Renderer.h"
#include "plugin/CompressorBase.h"
#include "tools/host/TestSignal.h"

#include <gtest/gtest.h>

namespace {

struct Rendered {
    std::string problem;
    AudioData output;
    RenderSummary summary{};
};

Rendered renderThrough(const RenderOptions& options, const AudioData& input) {
    CompressorBase compressor(nullptr);
    Renderer renderer(*compressor.effectRecord());
    Rendered result;
    result.problem = renderer.configure(options, input.sampleRate);
    if (result.problem.empty()) result.summary = renderer.render(input, result.output, [](double) {});
    return result;
}

TEST(Renderer, ParametersByNameAndProgramReachThePlugin) {
    RenderOptions options;
    options.program = 6;
    options.parameters = {{"time-constant", 0.0f}, {"GAIN", 1.0f}};
    CompressorBase compressor(nullptr);
    Renderer renderer(*compressor.effectRecord());
    ASSERT_EQ(renderer.configure(options, 48000), "");
    EXPECT_EQ(compressor.currentProgram(), 6);
    EXPECT_EQ(compressor.parameterValue(2), 0.0f);
    EXPECT_EQ(compressor.parameterValue(3), 1.0f);
    EXPECT_EQ(compressor.sampleRateValue(), 48000.0f);
}

TEST(Renderer, UnknownNamesAndProgramsAreRefused) {
    const AudioData input = makeTestSignal(8000);
    RenderOptions unknownName;
    unknownName.parameters = {{"ratio", 0.5f}};
    EXPECT_EQ(renderThrough(unknownName, input).problem, "the plug-in has no parameter named \"ratio\"");
    RenderOptions unknownProgram;
    unknownProgram.program = 7;
    EXPECT_EQ(renderThrough(unknownProgram, input).problem, "program 7 does not exist (the plug-in has 7)");
}

// The built-in signal's bursts reach far above the default knee, so the gain comes down.
TEST(Renderer, TestSignalIsCompressedAndSummarised) {
    const AudioData input = makeTestSignal(44100);
    for (bool accumulate : {false, true}) {
        RenderOptions options;
        options.accumulate = accumulate;
        options.blockSize = 300;
        const Rendered rendered = renderThrough(options, input);
        ASSERT_EQ(rendered.output.frames(), input.frames());
        EXPECT_GT(rendered.summary.inputPeak, -3.0) << "accumulate " << accumulate;
        EXPECT_LT(rendered.summary.outputPeak, rendered.summary.inputPeak - 3.0)
            << "accumulate " << accumulate;
        EXPECT_GT(rendered.summary.largestReductionDecibels, 3.0) << "accumulate " << accumulate;
        EXPECT_LT(rendered.summary.outputRms, rendered.summary.inputRms) << "accumulate " << accumulate;
    }
}

TEST(Renderer, MonoInputFeedsBothChannels) {
    AudioData mono;
    mono.sampleRate = 44100;
    mono.channels = {std::vector<float>(1000, 0.01f)};
    const Rendered rendered = renderThrough(RenderOptions(), mono);
    ASSERT_EQ(rendered.output.channels.size(), 2u);
    EXPECT_EQ(rendered.output.channels[0], mono.channels[0]);
    EXPECT_EQ(rendered.output.channels[1], mono.channels[0]);
}

} // namespace

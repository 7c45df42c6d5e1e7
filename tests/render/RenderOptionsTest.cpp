// The renderer's command line: values, defaults and the messages for what it refuses.

#include "tools/host/RenderOptions.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::string parse(std::vector<const char*> arguments, RenderOptions& options) {
    arguments.insert(arguments.begin(), "quenvale-render");
    return parseRenderOptions(int(arguments.size()), arguments.data(), options);
}

TEST(RenderOptions, DefaultsRenderTheTestSignalInFloat) {
    RenderOptions options;
    ASSERT_EQ(parse({}, options), "");
    EXPECT_EQ(options.inputPath, "");
    EXPECT_EQ(options.outputPath, "quenvale-render.wav");
    EXPECT_EQ(options.blockSize, 512);
    EXPECT_FALSE(options.accumulate);
    EXPECT_EQ(options.program, -1);
    EXPECT_EQ(options.format, SampleFormat::Float32);
}

TEST(RenderOptions, EveryOptionIsTaken) {
    RenderOptions options;
    ASSERT_EQ(parse({"in.wav", "-o", "out.wav", "--program", "3", "-p", "threshold=0.4", "--param",
                     "Time Constant=1", "--block", "64", "--accumulate", "--bits", "24", "--plugin", "x.dll",
                     "--rate", "96000"},
                    options),
              "");
    EXPECT_EQ(options.inputPath, "in.wav");
    EXPECT_EQ(options.outputPath, "out.wav");
    EXPECT_EQ(options.program, 3);
    ASSERT_EQ(options.parameters.size(), 2u);
    EXPECT_EQ(options.parameters[0].name, "threshold");
    EXPECT_EQ(options.parameters[0].value, 0.4f);
    EXPECT_EQ(options.parameters[1].name, "Time Constant");
    EXPECT_EQ(options.parameters[1].value, 1.0f);
    EXPECT_EQ(options.blockSize, 64);
    EXPECT_TRUE(options.accumulate);
    EXPECT_EQ(options.format, SampleFormat::Integer24);
    EXPECT_EQ(options.pluginPath, "x.dll");
    EXPECT_EQ(options.testSampleRate, 96000);
}

TEST(RenderOptions, RefusalsSayWhy) {
    struct Row {
        std::vector<const char*> arguments;
        const char* message;
    };
    const Row rows[] = {
        {{"--frobnicate", "1"}, "unknown option --frobnicate"},
        {{"-o"}, "-o needs a value"},
        {{"-p", "gain"}, "expected NAME=VALUE, got \"gain\""},
        {{"-p", "=0.5"}, "expected NAME=VALUE, got \"=0.5\""},
        {{"-p", "gain=loud"}, "\"loud\" is not a number"},
        {{"-p", "gain=1.5"}, "value 1.5 is out of range (0 to 1)"},
        {{"-p", "gain=-0.1"}, "value -0.1 is out of range (0 to 1)"},
        {{"-p", "gain=nan"}, "value nan is out of range (0 to 1)"},
        {{"--block", "0"}, "--block takes a size from 1 to 65536"},
        {{"--block", "12x"}, "--block takes a size from 1 to 65536"},
        {{"--program", "-1"}, "--program takes a program number"},
        {{"--bits", "8"}, "--bits takes 16, 24 or 32, not \"8\""},
        {{"a.wav", "b.wav"}, "more than one input file: b.wav"},
    };
    for (const Row& row : rows) {
        RenderOptions options;
        EXPECT_EQ(parse(row.arguments, options), row.message) << "first argument " << row.arguments[0];
    }
}

} // namespace

// The renderer end to end: the real library driven through its record gives the same audio as the
// compressor core, and the renderer program turns a generated WAV file into a compressed one, refusing
// bad input without leaving a partial output behind.

#include "plugin/CompressorBase.h"
#include "tests/support/TestHost.h"
#include "tools/host/Renderer.h"
#include "tools/host/TestSignal.h"
#include "tools/host/WavFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <windows.h>

namespace {

RenderSummary renderWith(AEffect& effect, const RenderOptions& options, const AudioData& input,
                         AudioData& output) {
    Renderer renderer(effect);
    EXPECT_EQ(renderer.configure(options, input.sampleRate), "");
    return renderer.render(input, output, [](double) {});
}

TEST(RenderThroughLibrary, LibraryGivesTheSameAudioAsTheCompressorCore) {
    const AudioData input = makeTestSignal(44100);
    for (bool accumulate : {false, true}) {
        RenderOptions options;
        options.program = 1;
        options.accumulate = accumulate;
        options.parameters = {{"Threshold", 0.45f}, {"Gain", 0.7f}};

        RecordingHost host;
        auto plugin = loadPlugin(host);
        ASSERT_NE(plugin->effect(), nullptr) << plugin->error();
        AudioData fromLibrary;
        const RenderSummary summary = renderWith(*plugin->effect(), options, input, fromLibrary);

        CompressorBase core(nullptr);
        AudioData fromCore;
        renderWith(*core.effectRecord(), options, input, fromCore);

        SCOPED_TRACE(accumulate ? "accumulating entry" : "replacing entry");
        EXPECT_GT(summary.largestReductionDecibels, 3.0);
        ASSERT_EQ(fromLibrary.channels.size(), 2u);
        EXPECT_EQ(fromLibrary.channels, fromCore.channels);
    }
}

// Runs the renderer program next to the test and answers its exit code.
DWORD runRenderer(const std::string& arguments) {
    std::string commandLine = "quenvale-render.exe " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return DWORD(-1);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = DWORD(-1);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class RendererProgram : public ::testing::Test {
protected:
    void SetUp() override {
        AudioData loud;
        loud.sampleRate = 48000;
        loud.channels.assign(1, std::vector<float>(48000));
        for (size_t i = 0; i < loud.channels[0].size(); ++i)
            loud.channels[0][i] = 0.9f * float(std::sin(0.05 * double(i)));
        ASSERT_EQ(writeWavFile(inputPath, loud, SampleFormat::Integer24), "");
        FILE* malformed = std::fopen(malformedPath.c_str(), "wb");
        ASSERT_NE(malformed, nullptr);
        std::fputs("RIFF, but not a wave file", malformed);
        std::fclose(malformed);
        DeleteFileA(outputPath.c_str());
    }
    void TearDown() override {
        DeleteFileA(inputPath.c_str());
        DeleteFileA(malformedPath.c_str());
        DeleteFileA(outputPath.c_str());
    }
    const std::string inputPath = "render-test-in.wav";
    const std::string malformedPath = "render-test-malformed.wav";
    const std::string outputPath = "render-test-out.wav";
};

TEST_F(RendererProgram, RendersAMonoFileToACompressedStereoFile) {
    ASSERT_EQ(runRenderer("--bits 16 -o " + outputPath + " " + inputPath), 0u);
    AudioData output;
    ASSERT_EQ(readWavFile(outputPath, output), "");
    EXPECT_EQ(output.sampleRate, 48000);
    ASSERT_EQ(output.channels.size(), 2u);
    ASSERT_EQ(output.frames(), 48000);
    float peak = 0.0f;
    for (float sample : output.channels[1])
        peak = std::max(peak, std::fabs(sample));
    EXPECT_GT(peak, 0.05f);
    EXPECT_LT(peak, 0.85f); // well above the knee: the gain came down
}

TEST_F(RendererProgram, BadInputFailsWithoutAnOutputFile) {
    const std::string cases[] = {"-p ratio=0.5 -o " + outputPath + " " + inputPath,
                                 "-p threshold=1.5 -o " + outputPath + " " + inputPath,
                                 "-o " + outputPath + " missing.wav",
                                 "-o " + outputPath + " " + malformedPath};
    for (const std::string& arguments : cases) {
        EXPECT_NE(runRenderer(arguments), 0u) << arguments;
        EXPECT_FALSE(fileExists(outputPath)) << arguments;
        EXPECT_FALSE(fileExists(outputPath + ".partial")) << arguments;
    }
}

} // namespace

// quenvale-render: loads the plug-in as a host does and renders a WAV file through it (or a built-in
// test signal when no input is given), then prints the levels in and out and the largest gain reduction.

#include "host/Opcodes.h"
#include "tools/host/LoadedPlugin.h"
#include "tools/host/ProgressBar.h"
#include "tools/host/RenderOptions.h"
#include "tools/host/Renderer.h"
#include "tools/host/TestSignal.h"
#include "tools/host/WavFile.h"

#include <cstdio>
#include <io.h>

namespace {

// Shorter inputs render in a blink, and a bar would only flash.
constexpr int32_t kSecondsBeforeABar = 30;

extern "C" HostInt answerHost(AEffect*, int32_t opcode, int32_t, HostInt, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

int fail(const std::string& message) {
    std::fprintf(stderr, "quenvale-render: %s\n", message.c_str());
    return 1;
}

std::string loadInput(const RenderOptions& options, AudioData& input) {
    if (options.inputPath.empty()) {
        input = makeTestSignal(options.testSampleRate);
        return "";
    }
    return readWavFile(options.inputPath, input);
}

// The finished file appears under its name in one step; a failed render leaves nothing behind.
std::string writeOutput(const std::string& path, const AudioData& output, SampleFormat format) {
    const std::string partial = path + ".partial";
    const bool written = writeWavFile(partial, output, format).empty();
    if (written && MoveFileExA(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) return "";
    DeleteFileA(partial.c_str());
    return "cannot write " + path;
}

void printSummary(const RenderOptions& options, const AudioData& input, const RenderSummary& summary) {
    std::printf("Rendered %d frames at %d Hz from %s to %s\n", input.frames(), input.sampleRate,
                options.inputPath.empty() ? "the built-in test signal" : options.inputPath.c_str(),
                options.outputPath.c_str());
    std::printf("Input:  peak %7.2f dBFS, RMS %7.2f dBFS\n", summary.inputPeak, summary.inputRms);
    std::printf("Output: peak %7.2f dBFS, RMS %7.2f dBFS\n", summary.outputPeak, summary.outputRms);
    std::printf("Largest gain reduction: %.2f dB\n", summary.largestReductionDecibels);
}

} // namespace

int main(int argc, char** argv) {
    RenderOptions options;
    const std::string problem = parseRenderOptions(argc, argv, options);
    if (!problem.empty()) return fail(problem + "\n" + renderUsage());
    if (options.help) {
        std::fputs(renderUsage(), stdout);
        return 0;
    }
    AudioData input;
    if (std::string failure = loadInput(options, input); !failure.empty()) return fail(failure);
    LoadedPlugin plugin(options.pluginPath.c_str(), answerHost);
    if (!plugin.effect()) return fail(plugin.error());
    Renderer renderer(*plugin.effect());
    if (std::string failure = renderer.configure(options, input.sampleRate); !failure.empty())
        return fail(failure);

    const bool longInput = input.frames() / kSecondsBeforeABar > input.sampleRate;
    ProgressBar bar(stderr, longInput && _isatty(_fileno(stderr)) != 0);
    AudioData output;
    const RenderSummary summary = renderer.render(input, output, [&bar](double done) { bar.update(done); });
    bar.finish();
    if (std::string failure = writeOutput(options.outputPath, output, options.format); !failure.empty())
        return fail(failure);
    printSummary(options, input, summary);
    return 0;
}

// quenvale-bench: the plug-in's processReplacing and accumulating process entries, reached through its
// record as a host reaches them, against the floor: the tightest plain loop of the same arithmetic,
// written from the laws, alternating on the same blocks; on noise and on long silence after a loud burst
// (where denormal numbers would appear). Prints ns per frame, the real-time factor and the ratio, and
// checks that both produced the same bits (the signals hold no non-finite samples, which the floor does
// not guard against).

#include "host/Opcodes.h"
#include "tools/bench/BenchOptions.h"
#include "tools/bench/FloorCompressor.h"
#include "tools/bench/PairedRun.h"
#include "tools/host/LoadedPlugin.h"
#include "tools/host/UniformNoise.h"

#include <cstdio>
#include <string>

namespace {

constexpr int32_t kRate = 44100;
constexpr float kThreshold = 0.2f;
constexpr float kAttack = 0.5f;
constexpr float kTimeConstant = 0.4f;
constexpr float kGain = 0.5f;
// The signals are short loops, played again and again, that stay in the cache.
constexpr int32_t kLoopChunks = 16;   // about 3 s
constexpr int32_t kNoiseLoops = 76;   // about 10 million frames
constexpr int32_t kBurstChunks = 6;   // about 1.1 s
constexpr int32_t kSilenceLoops = 10; // about 30 s after each burst
constexpr int32_t kSilenceRounds = 8;

extern "C" HostInt answerHost(AEffect*, int32_t opcode, int32_t, HostInt, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

int fail(const std::string& message, int status) {
    std::fprintf(stderr, "quenvale-bench: %s\n", message.c_str());
    return status;
}

// Uniform noise at the given level on the left, 0.7 of it on the right; level 0 gives silence.
StereoSignal noise(int32_t chunks, float level) {
    const std::size_t frames = std::size_t(chunks) * PairedRun::kChunkFrames;
    StereoSignal signal(frames);
    UniformNoise source(1);
    for (std::size_t i = 0; i < frames; ++i) {
        signal.left[i] = level * source.next();
        signal.right[i] = 0.7f * signal.left[i];
    }
    return signal;
}

std::string besideThisProgram(const char* fileName) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + fileName;
}

// The plug-in's meters read as the floor's, through the same get operation a host uses.
std::string meterMismatch(AEffect* effect, const FloorCompressor& floor) {
    for (int32_t index = 22; index <= 26; ++index) {
        const float product = effect->getParameter(effect, index);
        if (product != floor.meterReading(index))
            return "meter " + std::to_string(index) + " reads " + std::to_string(product) + ", the floor " +
                   std::to_string(floor.meterReading(index));
    }
    return "";
}

void printHeader(const std::string& path) {
    std::printf(
        "%s\nthreshold %.1f, attack %.1f, time constant %.1f, gain %.1f, blocks of %d frames at %d Hz\n\n",
        path.c_str(), double(kThreshold), double(kAttack), double(kTimeConstant), double(kGain),
        PairedRun::kBlockFrames, kRate);
    std::printf(
        "ns/frame: the mean over all timed blocks; ratio: the median over chunks of %d blocks of the\n"
        "plug-in's time over the floor's, the two run alternately on the same blocks\n\n",
        PairedRun::kChunkBlocks);
    std::printf("%-46s %15s %12s %15s %6s\n", "case", "plug-in", "real time", "floor", "ratio");
}

void printRow(const char* name, const PairedRun& run) {
    const double frames = double(run.timedFrames());
    const double plugin = run.firstSeconds() * 1e9 / frames;
    const double floor = run.secondSeconds() * 1e9 / frames;
    std::printf("%-46s %7.2f ns/frame %10.0fx %7.2f ns/frame %6.2f\n", name, plugin, 1e9 / kRate / plugin,
                floor, run.medianRatio());
}

void playNoise(PairedRun& run) {
    const StereoSignal loud = noise(kLoopChunks, 1.0f);
    for (int32_t loop = 0; loop < kNoiseLoops; ++loop)
        run.run(loud, true);
}

// Only the silence is timed: the envelope and the holds decay toward numbers too small to be normal.
void playSilenceAfterBursts(PairedRun& run) {
    const StereoSignal burst = noise(kBurstChunks, 1.0f);
    const StereoSignal silence = noise(kLoopChunks, 0.0f);
    for (int32_t round = 0; round < kSilenceRounds; ++round) {
        run.run(burst, false);
        for (int32_t loop = 0; loop < kSilenceLoops; ++loop)
            run.run(silence, true);
    }
}

struct Routine {
    const char* name;
    bool accumulate;
};

// Both cases for one entry of the record; answers what went wrong, or nothing.
std::string measure(AEffect* effect, FloorCompressor& floor, const Routine& routine) {
    const BlockRoutine viaPlugin = [effect, routine](float** in, float** out, int32_t frames) {
        (routine.accumulate ? effect->process : effect->processReplacing)(effect, in, out, frames);
    };
    const BlockRoutine viaFloor = [&floor, routine](float** in, float** out, int32_t frames) {
        floor.process(in, out, frames, !routine.accumulate);
    };
    PairedRun noiseRun(viaPlugin, viaFloor, routine.accumulate);
    playNoise(noiseRun);
    printRow((std::string("noise, ") + routine.name).c_str(), noiseRun);
    PairedRun silenceRun(viaPlugin, viaFloor, routine.accumulate);
    playSilenceAfterBursts(silenceRun);
    printRow((std::string("silence after a loud burst, ") + routine.name).c_str(), silenceRun);
    for (const PairedRun* run : {&noiseRun, &silenceRun})
        if (!run->mismatch().empty())
            return std::string(routine.name) + ": outputs differ at " + run->mismatch();
    return meterMismatch(effect, floor);
}

} // namespace

int main(int argc, char** argv) {
    BenchOptions options;
    const std::string problem = parseBenchOptions(argc, argv, options);
    if (!problem.empty()) return fail(problem + "\n" + benchUsage(), 2);
    if (options.help) {
        std::fputs(benchUsage(), stdout);
        return 0;
    }
    const std::string path =
        options.pluginPath.empty() ? besideThisProgram("QuenvaleCompressor.dll") : options.pluginPath;
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return fail("no plug-in library at " + path + " (see --help)", 1);
    LoadedPlugin plugin(path.c_str(), answerHost);
    if (!plugin.effect()) return fail(plugin.error(), 1);

    AEffect* effect = plugin.effect();
    plugin.dispatch(effSetSampleRate, 0, 0, nullptr, float(kRate));
    plugin.dispatch(effSetBlockSize, 0, PairedRun::kBlockFrames);
    const float settings[] = {kThreshold, kAttack, kTimeConstant, kGain};
    for (int32_t index = 0; index < 4; ++index)
        effect->setParameter(effect, index, settings[index]);
    plugin.dispatch(effMainsChanged, 0, 1);
    FloorCompressor floor(kThreshold, kAttack, kTimeConstant, kGain, kRate);

    printHeader(path);
    for (const Routine& routine : {Routine{"processReplacing", false}, Routine{"process", true}}) {
        const std::string mismatch = measure(effect, floor, routine);
        if (!mismatch.empty()) return fail("the floor is not bit-identical to the plug-in: " + mismatch, 1);
    }
    std::printf(
        "\nOn these finite signals the floor's output was bit-identical to the plug-in's in every block,\n"
        "and so were the meters.\n");
    return 0;
}

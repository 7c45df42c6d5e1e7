// quenvale-bench: nanoseconds per stereo frame of the plug-in's replacing entry, in blocks of 512, on
// noise and on long silence after a loud burst (where denormal numbers would appear), each against the
// floor loop on the same signal, with the real-time factor at 44100 Hz.

#include "host/Opcodes.h"
#include "tools/bench/FloorCompressor.h"
#include "tools/host/LoadedPlugin.h"

#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int32_t kBlock = 512;
constexpr int32_t kRate = 44100;
constexpr int64_t kNoiseFrames = 10000000;
constexpr int32_t kSilenceSeconds = 30;
constexpr int32_t kSilenceRounds = 8; // 8 x 30 s is more than 10 million frames

extern "C" HostInt answerHost(AEffect*, int32_t opcode, int32_t, HostInt, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

double seconds() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return double(count.QuadPart) / double(frequency.QuadPart);
}

// Two channels of one block-aligned stretch, read block by block in a ring.
struct Stereo {
    std::vector<float> left, right;
    explicit Stereo(int32_t frames, float level) : left(frames), right(frames) {
        uint32_t state = 1;
        for (int32_t i = 0; i < frames; ++i) {
            state = state * 1664525u + 1013904223u;
            left[i] = level * (float(state >> 8) / float(1u << 23) - 1.0f);
            right[i] = 0.7f * left[i];
        }
    }
};

using BlockFunction = std::function<void(float**, float**, int32_t)>;

// Runs `frames` frames of the signal in blocks; answers the seconds spent in the block function.
double run(const BlockFunction& block, Stereo& signal, int64_t frames) {
    std::vector<float> outLeft(kBlock), outRight(kBlock);
    float* outputs[] = {outLeft.data(), outRight.data()};
    const int32_t length = int32_t(signal.left.size());
    double spent = 0.0;
    size_t at = 0;
    for (int64_t done = 0; done < frames; done += kBlock, at = (at + kBlock) % size_t(length)) {
        float* inputs[] = {&signal.left[at], &signal.right[at]};
        const double start = seconds();
        block(inputs, outputs, kBlock);
        spent += seconds() - start;
    }
    return spent;
}

struct Timing {
    double seconds = 0.0;
    int64_t frames = 0;
    double nanosecondsPerFrame() const { return seconds * 1e9 / double(frames); }
};

Timing noiseCase(const BlockFunction& block) {
    Stereo noise(kBlock * 128, 1.0f);
    return {run(block, noise, kNoiseFrames), kNoiseFrames};
}

// A loud burst, then silence; only the silence is timed.
Timing silenceCase(const BlockFunction& block) {
    Stereo burst(kBlock * 86, 1.0f);
    Stereo silence(kBlock * 128, 0.0f);
    const int64_t silentFrames = int64_t(kSilenceSeconds) * kRate / kBlock * kBlock;
    Timing timing;
    for (int32_t round = 0; round < kSilenceRounds; ++round) {
        run(block, burst, int64_t(burst.left.size()));
        timing.seconds += run(block, silence, silentFrames);
        timing.frames += silentFrames;
    }
    return timing;
}

void report(const char* name, const Timing& plugin, const Timing& floor) {
    const double perFrame = plugin.nanosecondsPerFrame();
    std::printf(
        "%-28s plug-in %7.2f ns/frame (%6.0fx real time at 44.1 kHz), floor %7.2f ns/frame, ratio %.2f\n",
        name, perFrame, 1e9 / kRate / perFrame, floor.nanosecondsPerFrame(),
        perFrame / floor.nanosecondsPerFrame());
}

} // namespace

int main(int argc, char** argv) {
    LoadedPlugin plugin(argc > 1 ? argv[1] : "QuenvaleCompressor.dll", answerHost);
    if (!plugin.effect()) {
        std::fprintf(stderr, "quenvale-bench: %s\n", plugin.error().c_str());
        return 1;
    }
    AEffect* effect = plugin.effect();
    plugin.dispatch(effSetSampleRate, 0, 0, nullptr, float(kRate));
    plugin.dispatch(effSetBlockSize, 0, kBlock);
    plugin.dispatch(effMainsChanged, 0, 1);
    const BlockFunction viaPlugin = [effect](float** in, float** out, int32_t frames) {
        effect->processReplacing(effect, in, out, frames);
    };
    FloorCompressor floor;
    const BlockFunction viaFloor = [&floor](float** in, float** out, int32_t frames) {
        floor.process(in, out, frames);
    };
    report("noise", noiseCase(viaPlugin), noiseCase(viaFloor));
    report("silence after a loud burst", silenceCase(viaPlugin), silenceCase(viaFloor));
    std::printf("(floor checksum %g)\n", floor.checksum());
    return 0;
}

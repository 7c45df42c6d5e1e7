#include "tools/host/TestSignal.h"

#include "tools/host/UniformNoise.h"

#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kBurstSeconds = 4.0;
constexpr double kTotalSeconds = 6.0;
constexpr double kBeatSeconds = 0.25;

// A kick on every other beat (a falling sine), a noise snare on the others, both decaying fast.
double drum(double time, int beat, float noise) {
    const double decay = std::exp(-time * (beat % 2 == 0 ? 18.0 : 30.0));
    if (beat % 2 == 0)
        return 0.9 * decay * std::sin(kTwoPi * (50.0 * time + 4.0 * (1.0 - std::exp(-time * 20.0))));
    return 0.6 * decay * noise;
}

} // namespace

AudioData makeTestSignal(int32_t sampleRate) {
    const int32_t frames = int32_t(kTotalSeconds * sampleRate);
    AudioData audio;
    audio.sampleRate = sampleRate;
    audio.channels.assign(2, std::vector<float>(frames));
    UniformNoise noise(2463534242u);
    for (int32_t i = 0; i < frames; ++i) {
        const double time = double(i) / sampleRate;
        const double tone = 0.1 * std::sin(kTwoPi * 220.0 * time) + 0.03 * std::sin(kTwoPi * 440.0 * time);
        const int beat = int(time / kBeatSeconds);
        const double hit = time < kBurstSeconds ? drum(time - beat * kBeatSeconds, beat, noise.next()) : 0.0;
        audio.channels[0][i] = float(tone + hit);
        audio.channels[1][i] = float(tone + 0.8 * hit);
    }
    return audio;
}

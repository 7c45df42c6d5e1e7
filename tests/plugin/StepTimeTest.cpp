// The 99 % step times of the six time-constant positions, measured on the audio: attack from silence to
// a steady level, release from that level down to a lower one, at 44100 Hz and after the host has set
// 96000 Hz.

#include "host/Opcodes.h"
#include "tests/plugin/OpenCompressor.h"
#include "tests/plugin/Signals.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Threshold 0.5 gives T = 1/13. Both levels lie above the knee T squared, so the gain shows the envelope.
constexpr double kThreshold = 1.0 / 13.0;
constexpr float kHigh = float(100 * kThreshold * kThreshold);
constexpr float kLow = float(4 * kThreshold * kThreshold);

double envelopeFromGain(float gain) { return (kThreshold / gain) * (kThreshold / gain); }

// Frames until the envelope, seen through the gain, has covered 99 % of the step from `from` to `to`.
int32_t framesToCover(const StereoSignal& output, const StereoSignal& input, int32_t start, double from,
                      double to) {
    for (int32_t i = start; i < output.frames(); ++i) {
        const double envelope = envelopeFromGain(output.left[i] / input.left[i]);
        if (std::fabs(envelope - to) <= 0.01 * std::fabs(to - from)) return i - start + 1;
    }
    return -1;
}

struct Position {
    float value;
    double attackMs;
    double releaseMs;
};

void checkStepTimes(int32_t rate, bool viaBlockSizeOpcode) {
    const Position positions[] = {{0.0f, 0.2, 300},  {0.2f, 0.2, 800},  {0.4f, 0.4, 2000},
                                  {0.6f, 0.8, 5000}, {0.8f, 0.2, 2000}, {1.0f, 0.2, 10000}};
    for (const Position& position : positions) {
        OpenCompressor compressor;
        if (viaBlockSizeOpcode)
            compressor.dispatch(effSetBlockSizeAndSampleRate, 0, 512, nullptr, float(rate));
        else
            compressor.dispatch(effSetSampleRate, 0, 0, nullptr, float(rate));
        compressor.setParameterValue(CompressorBase::kThreshold, 0.5f);
        compressor.setParameterValue(CompressorBase::kTimeConstant, position.value);
        const int32_t attackStart = 100;
        const int32_t releaseStart = attackStart + rate / 10;
        const int32_t frames = releaseStart + int32_t(position.releaseMs * rate / 1000) + rate / 10;
        StereoSignal input = signals::step(frames, attackStart, 0.0f, kHigh);
        for (int32_t i = releaseStart; i < frames; ++i)
            input.left[i] = input.right[i] = kLow;
        const StereoSignal output = processInBlocks(compressor, input, 512);

        const double attackFrames = position.attackMs * rate / 1000;
        const double releaseFrames = position.releaseMs * rate / 1000;
        const int32_t attack = framesToCover(output, input, attackStart, 0.0, kHigh);
        const int32_t release = framesToCover(output, input, releaseStart, kHigh, kLow);
        EXPECT_NEAR(attack, std::ceil(attackFrames), 1.0)
            << "position value " << position.value << " at " << rate << " Hz: attack of " << position.attackMs
            << " ms";
        EXPECT_NEAR(release, releaseFrames, 2.0 + releaseFrames * 1e-5)
            << "position value " << position.value << " at " << rate << " Hz: release of "
            << position.releaseMs << " ms";
    }
}

TEST(StepTime, SixPositionsAt44100) { checkStepTimes(44100, false); }
TEST(StepTime, SixPositionsAfterTheHostSets96000) { checkStepTimes(96000, false); }
TEST(StepTime, SixPositionsAfterBlockSizeAndRate96000) { checkStepTimes(96000, true); }

} // namespace

// Block processing: replace and accumulate, the 2:1 slope above the knee, the five meter holds, and the
// behaviours decided for in-place buffers, non-finite values, host sample rates and denormal numbers.

#include "host/Opcodes.h"
#include "plugin/DenormalFlush.h"
#include "tests/plugin/OpenCompressor.h"
#include "tests/plugin/Signals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <xmmintrin.h>

namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

void processOnce(CompressorBase& compressor, float* left, float* right, float* outLeft, float* outRight,
                 int32_t frames, bool replace) {
    float* in[] = {left, right};
    float* out[] = {outLeft, outRight};
    compressor.processBlock(in, out, frames, replace);
}

// Replaces a single frame; answers its left output.
float processFrame(CompressorBase& compressor, float left, float right) {
    float outLeft = 0, outRight = 0;
    processOnce(compressor, &left, &right, &outLeft, &outRight, 1, true);
    return outLeft;
}

// Threshold 0 makes the threshold infinite: the compressor passes the signal at the output gain.
void openUp(CompressorBase& compressor) { compressor.setParameterValue(CompressorBase::kThreshold, 0.0f); }

TEST(Processing, ZeroFramesTouchNothing) {
    OpenCompressor compressor;
    StereoSignal input(4, 0.5f), output(4, 0.25f);
    processInBlocks(compressor, input, 4);
    const float hold = compressor.inputHold(0);
    processOnce(compressor, input.left.data(), input.right.data(), output.left.data(), output.right.data(), 0,
                true);
    EXPECT_EQ(output.left[0], 0.25f);
    EXPECT_EQ(compressor.inputHold(0), hold);
}

TEST(Processing, IdleCompressorPassesTheInputSampleForSample) {
    OpenCompressor compressor;
    openUp(compressor);
    const StereoSignal input = signals::bursts(4096, 1.0f);
    const StereoSignal output = processInBlocks(compressor, input, 100);
    EXPECT_EQ(output.left, input.left);
    EXPECT_EQ(output.right, input.right);
}

TEST(Processing, AccumulateAddsToTheOutputs) {
    OpenCompressor compressor;
    openUp(compressor);
    StereoSignal input(8, 0.5f), output(8, 0.25f);
    processOnce(compressor, input.left.data(), input.right.data(), output.left.data(), output.right.data(), 8,
                false);
    for (int32_t i = 0; i < 8; ++i)
        EXPECT_EQ(output.left[i], 0.75f) << "frame " << i;
    // A steady sample is no new peak: the hold took the first frame's value and has decayed since.
    EXPECT_NEAR(compressor.outputHold(0), 0.75f, 1e-3f) << "the output holds see the accumulated value";
}

TEST(Processing, AccumulateEqualsReplacePlusWhatWasThere) {
    const StereoSignal input = signals::bursts(3000, 0.9f);
    OpenCompressor replacing, accumulating;
    const StereoSignal replaced = processInBlocks(replacing, input, 64, true);
    StereoSignal accumulated(3000, 0.125f);
    forEachBlock(3000, 64, [&](int32_t start, int32_t count) {
        processOnce(accumulating, const_cast<float*>(&input.left[start]),
                    const_cast<float*>(&input.right[start]), &accumulated.left[start],
                    &accumulated.right[start], count, false);
    });
    for (int32_t i = 0; i < 3000; ++i)
        ASSERT_EQ(accumulated.left[i], replaced.left[i] + 0.125f) << "frame " << i;
}

// For steady levels above the knee the output rises by 1 dB for every 2 dB of input.
TEST(Processing, SlopeAboveTheKneeIsTwoToOne) {
    const float levels[] = {0.3f, 0.5f, 0.7f, 0.9f}; // all above the default knee of about 0.23
    double previousIn = 0, previousOut = 0;
    for (float level : levels) {
        OpenCompressor compressor;
        const StereoSignal output = processInBlocks(compressor, StereoSignal(44100, level), 512);
        const double in = 20 * std::log10(level);
        const double out = 20 * std::log10(output.left.back());
        if (previousIn != 0) {
            EXPECT_NEAR((out - previousOut) / (in - previousIn), 0.5, 1e-4) << "from level " << level;
        }
        previousIn = in;
        previousOut = out;
    }
}

TEST(Processing, BelowTheKneeTheGainIsOne) {
    OpenCompressor compressor;
    const StereoSignal output = processInBlocks(compressor, StereoSignal(44100, 0.2f), 512);
    EXPECT_EQ(output.left.back(), 0.2f);
}

TEST(Meters, InputPeakFallsToOneHundredthInOneSecond) {
    OpenCompressor compressor;
    StereoSignal input(44101);
    input.left[0] = 1.0f;
    processInBlocks(compressor, input, 441);
    EXPECT_NEAR(compressor.inputHold(0), 0.01f, 1e-5f);
    EXPECT_EQ(compressor.inputHold(1), 0.0f);
}

TEST(Meters, NegativeInputLeavesTheHoldsAtZero) {
    OpenCompressor compressor;
    processInBlocks(compressor, StereoSignal(1000, -0.5f), 100);
    EXPECT_EQ(compressor.inputHold(0), 0.0f);
    EXPECT_EQ(compressor.inputHold(1), 0.0f);
    EXPECT_EQ(compressor.outputHold(0), 0.0f);
}

TEST(Meters, GainReductionHoldTakesThePeakThenDecaysPerFrame) {
    OpenCompressor compressor;
    compressor.setParameterValue(CompressorBase::kThreshold, 0.5f);
    const float reduction = 1.0f - processFrame(compressor, 1.0f, 1.0f);
    ASSERT_GT(reduction, 0.1f);
    EXPECT_EQ(compressor.reductionHold(), reduction);
    // Gain 1 from here on: the hold only decays.
    openUp(compressor);
    processInBlocks(compressor, StereoSignal(2, 1.0f), 2);
    EXPECT_FLOAT_EQ(compressor.parameterValue(CompressorBase::kGainReductionMeter),
                    float(float(reduction * compressor.decay()) * compressor.decay()));
}

TEST(Meters, ReadOutLaws) {
    struct Row {
        float hold;
        float reading;
    };
    const Row rows[] = {
        {1.0f, 1.0f}, {0.5f, 0.969053f}, {0.1f, 0.593257f}, {0.01f, 2.91644e-5f}, {0.0f, 0.0f}};
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "hold " << row.hold);
        OpenCompressor compressor;
        openUp(compressor);
        processFrame(compressor, row.hold, row.hold / 2);
        const float tolerance = row.reading * 1e-3f;
        EXPECT_NEAR(compressor.parameterValue(CompressorBase::kInputLeftMeter), row.reading, tolerance);
        EXPECT_EQ(compressor.parameterValue(CompressorBase::kOutputLeftMeter), row.hold);
        EXPECT_EQ(compressor.parameterValue(CompressorBase::kOutputRightMeter), row.hold / 2);
    }
}

// Output silenced: with the same buffers for input and output the input meters still read the input.
TEST(DecidedBehaviour, InPlaceInputMetersSeeTheInput) {
    OpenCompressor compressor;
    compressor.setParameterValue(CompressorBase::kGain, 0.0f);
    float left = 0.3f, right = 0.1f;
    processOnce(compressor, &left, &right, &left, &right, 1, true);
    EXPECT_EQ(left, 0.0f);
    EXPECT_EQ(compressor.inputHold(0), 0.3f);
    EXPECT_EQ(compressor.inputHold(1), 0.1f);
}

bool allFinite(const StereoSignal& signal, int32_t from) {
    for (int32_t i = from; i < signal.frames(); ++i)
        if (!std::isfinite(signal.left[i]) || !std::isfinite(signal.right[i])) return false;
    return true;
}

void expectFiniteMeters(CompressorBase& compressor, const char* what) {
    for (int32_t meter = 22; meter <= 26; ++meter)
        EXPECT_TRUE(std::isfinite(compressor.parameterValue(meter))) << what << ": meter " << meter;
}

// After the poison, the same tone goes through a fresh instance; a second later both agree.
void expectRecovery(OpenCompressor& poisoned, const StereoSignal& tail, const char* what) {
    OpenCompressor fresh;
    fresh.selectProgram(poisoned.currentProgram());
    const StereoSignal recovered = processInBlocks(poisoned, tail, 512);
    const StereoSignal reference = processInBlocks(fresh, tail, 512);
    EXPECT_TRUE(allFinite(recovered, 0)) << what;
    expectFiniteMeters(poisoned, what);
    for (int32_t i = 44100; i < tail.frames(); ++i)
        ASSERT_NEAR(recovered.left[i], reference.left[i], 1e-4f) << what << ": frame " << i;
}

TEST(DecidedBehaviour, NonFiniteInputsNeverPoisonTheRunningState) {
    const float poisons[] = {kNaN, kInfinity, -kInfinity};
    for (float poison : poisons) {
        OpenCompressor compressor;
        compressor.selectProgram(1);
        StereoSignal input = signals::tone(22050, 0.8f, 440);
        for (int32_t i = 10000; i < 10100; ++i)
            input.left[i] = poison;
        input.right[10050] = poison;
        const StereoSignal output = processInBlocks(compressor, input, 512);
        EXPECT_TRUE(allFinite(output, 10240)) << "after " << poison;
        expectFiniteMeters(compressor, "input poison");
        expectRecovery(compressor, signals::tone(2 * 44100, 0.8f, 440), "input poison");
    }
}

TEST(DecidedBehaviour, NonFiniteParametersNeverPoisonTheRunningState) {
    const float poisons[] = {kNaN, kInfinity, -kInfinity};
    for (float poison : poisons)
        for (int32_t index = 0; index < 4; ++index) {
            OpenCompressor compressor;
            compressor.selectProgram(1);
            processInBlocks(compressor, signals::tone(10000, 0.8f, 440), 512);
            compressor.setParameterValue(index, poison);
            processInBlocks(compressor, signals::tone(10000, 0.8f, 440), 512);
            expectFiniteMeters(compressor, "parameter poison");
            // The poison was written through into program 1; its own value comes back by hand.
            const float programOne[] = {0.2f, 0.5f, 0.0f, 0.5f};
            compressor.setParameterValue(index, programOne[index]);
            const std::string what = "parameter " + std::to_string(index) + " at " + std::to_string(poison);
            expectRecovery(compressor, signals::tone(2 * 44100, 0.8f, 440), what.c_str());
        }
}

TEST(DecidedBehaviour, HostRateKeepsEnvelopeAndHoldsAndSetsMeterBallistics) {
    OpenCompressor compressor;
    processInBlocks(compressor, signals::tone(5000, 0.9f, 440), 512);
    const double envelope = compressor.envelope();
    const float hold = compressor.inputHold(0);
    compressor.dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f);
    EXPECT_EQ(compressor.envelope(), envelope);
    EXPECT_EQ(compressor.inputHold(0), hold);
    EXPECT_EQ(compressor.meterRate(), 96000);
    EXPECT_EQ(compressor.detector().sampleRate(), 96000);

    // One second at the new rate brings an input peak down to one hundredth.
    openUp(compressor);
    StereoSignal input(96001);
    input.left[0] = 1.0f;
    processInBlocks(compressor, input, 480);
    EXPECT_NEAR(compressor.inputHold(0), 0.01f, 1e-5f);
}

TEST(DecidedBehaviour, UnusableHostRatesChangeNothing) {
    const float rates[] = {0.0f, -44100.0f, 0.5f, kNaN, kInfinity, -kInfinity, 3e9f};
    for (float rate : rates) {
        SCOPED_TRACE(::testing::Message() << "rate " << rate);
        OpenCompressor compressor;
        const double attack = compressor.detector().attackCoefficient();
        const double release = compressor.detector().releaseCoefficient();
        const double decay = compressor.decay();
        compressor.dispatch(effSetSampleRate, 0, 0, nullptr, rate);
        compressor.dispatch(effSetBlockSizeAndSampleRate, 0, 256, nullptr, rate);
        EXPECT_EQ(compressor.detector().attackCoefficient(), attack);
        EXPECT_EQ(compressor.detector().releaseCoefficient(), release);
        EXPECT_EQ(compressor.decay(), decay);
        EXPECT_EQ(compressor.meterRate(), 44100);
    }
}

TEST(Denormals, DenormalInputIsReadAsZeroAndTheHostStateComesBack) {
    OpenCompressor compressor;
    const unsigned hostState =
        _mm_getcsr() & ~(DenormalFlush::kFlushToZero | DenormalFlush::kDenormalsAreZero);
    _mm_setcsr(hostState);
    processFrame(compressor, 1e-40f, 1e-40f);
    EXPECT_EQ(_mm_getcsr(), hostState);
    EXPECT_EQ(compressor.inputHold(0), 0.0f) << "a denormal sample counts as zero inside the block";
}

} // namespace

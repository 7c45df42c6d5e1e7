// The compressor shared between threads as a host shares it: one thread processes while others set
// every parameter (in and out of range, NaN), switch and rename programs and change the sample rate,
// and the editor's side reads meters, values, displays and names. The ThreadSanitizer build proves the
// shared values race-free; every build proves the state stays sound.

#include "host/Opcodes.h"
#include "tests/plugin/OpenCompressor.h"
#include "tests/plugin/Signals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <thread>
#include <vector>

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr int32_t kRates[] = {44100, 48000, 96000, 22050, 8000};

// Threads that each repeat one round until every one of them has run enough rounds.
class RoundRunner {
public:
    void add(std::function<void()> round) { rounds.push_back(std::move(round)); }

    // Answers whether every thread ran its rounds before the time limit, which only keeps a failure
    // from hanging.
    bool run(int32_t minimum) {
        std::vector<std::atomic<int32_t>> counts(rounds.size());
        std::atomic<bool> running{true};
        std::vector<std::thread> threads;
        for (std::size_t k = 0; k < rounds.size(); ++k)
            threads.emplace_back([&, k] {
                while (running.load())
                    rounds[k](), counts[k].fetch_add(1);
            });
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        const auto fewest = [&] {
            int32_t least = std::numeric_limits<int32_t>::max();
            for (const auto& count : counts)
                least = std::min(least, count.load());
            return least;
        };
        while (fewest() < minimum && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        running.store(false);
        for (std::thread& thread : threads)
            thread.join();
        return fewest() >= minimum;
    }

private:
    std::vector<std::function<void()>> rounds;
};

TEST(Threads, ProcessingWhileEveryValueChangesOnOtherThreads) {
    OpenCompressor compressor;
    AEffect* record = compressor.effectRecord();
    std::atomic<int32_t> faults{0};
    const auto expect = [&faults](bool sound) {
        if (!sound) faults.fetch_add(1);
    };
    RoundRunner runner;

    const StereoSignal input = signals::bursts(256, 1.0f);
    StereoSignal output(256);
    runner.add([&] { // the audio thread
        float* in[] = {const_cast<float*>(input.left.data()), const_cast<float*>(input.right.data())};
        float* out[] = {output.left.data(), output.right.data()};
        record->processReplacing(record, in, out, 256);
        record->process(record, in, out, 256);
    });
    runner.add([&] { // automation: every index, in and out of range
        for (int32_t index : {0, 1, 2, 3, 27, 5, 22, -1})
            for (float value : {0.0f, 0.37f, 1.0f, -0.5f, 7.0f, kNaN, kInfinity, 3e38f})
                record->setParameter(record, index, value);
    });
    runner.add([&] { // the host's program requests
        char name[64];
        for (int32_t program = -1; program <= 7; ++program) {
            record->dispatcher(record, effSetProgram, 0, program, nullptr, 0.0f);
            record->dispatcher(
                record, effSetProgramName, 0, 0,
                const_cast<char*>(program % 2 ? "A" : "A much longer name than fits a program"), 0.0f);
            std::memset(name, '#', sizeof name);
            record->dispatcher(record, effGetProgramName, 0, 0, name, 0.0f);
            expect(std::strlen(name) < ProgramRecord::kNameSize);
        }
    });
    runner.add([&] { // the host's stream settings, with rates no integer can hold
        for (float rate :
             {44100.0f, 48000.0f, 0.0f, -1.0f, 96000.0f, kNaN, 22050.0f, 3e9f, kInfinity, 8000.5f})
            record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, rate);
        record->dispatcher(record, effSetBlockSizeAndSampleRate, 0, 512, nullptr, 48000.0f);
    });
    runner.add([&] { // the editor and the host reading
        char text[64];
        for (int32_t index = 0; index <= 27; ++index) {
            const float value = record->getParameter(record, index);
            expect(index < CompressorBase::kGainReductionMeter || index == CompressorBase::kSpare ||
                   value >= 0.0f);
            std::memset(text, '#', sizeof text);
            record->dispatcher(record, effGetParamDisplay, index % 4, 0, text, 0.0f);
            expect(std::strlen(text) <= CompressorBase::kDisplayLength);
            std::memset(text, '#', sizeof text);
            record->dispatcher(record, effGetProgramNameIndexed, index % 7, 0, text, 0.0f);
            expect(std::strlen(text) < ProgramRecord::kNameSize);
        }
        expect(compressor.heldInputLeft() >= 0.0f && compressor.heldInputRight() >= 0.0f);
    });

    ASSERT_TRUE(runner.run(200)) << "a thread did not run its rounds in time";
    EXPECT_EQ(faults.load(), 0);
    // One rate change set the meters and the gain computer, to a rate that was asked for.
    EXPECT_EQ(compressor.meterRate(), compressor.detector().sampleRate());
    EXPECT_NE(std::find(std::begin(kRates), std::end(kRates), compressor.meterRate()), std::end(kRates));
    // The instance still compresses as a fresh one does once its program is selected again.
    compressor.dispatch(effSetProgramName, 0, 0, const_cast<char*>("Renamed"), 0.0f);
    char name[32];
    compressor.currentProgramName(name);
    EXPECT_STREQ(name, "Renamed");
}

} // namespace

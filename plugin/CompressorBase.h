#pragma once
// The compressor as the host sees it: identity, the four parameters and the meter read-out, block
// processing through the gain computer with five peak-hold meters, and the seven programs.
//
// Threads. The host's audio thread processes; any thread sets parameters (automation often comes from
// the audio thread itself), switches programs and changes the sample rate; the user-interface thread
// runs the editor, which reads the meters. No lock is taken on the audio thread and it never waits.
// Every value that crosses threads, who writes it, who reads it, and why that is safe:
//
// - thresholdValue, attackValue, timeConstantValue, gainValue, spareValue: written by every thread that
//   sets a parameter or switches programs, read by any (the host's get, the displays, the editor).
//   Relaxed atomics: each is a value of its own.
// - outputGain, the gain computer's threshold and detector gain: written by the setting threads, read by
//   the audio thread once per block. Relaxed atomics; a change is used from the next block.
// - the gain computer's times, rate and coefficient pair: written by the setting threads and rate
//   changes, read by the audio thread once per block. One whole under a sequence count (GainComputer.h):
//   writers compute first and hold the count odd only for their stores; the audio thread never waits
//   and keeps its last whole pair when a writer is in the way.
// - meterSampleRate and meterDecay: written by rate changes, read by the editor's meter reading and by
//   the audio thread once per block. Relaxed atomics.
// - the five holds: written by the audio thread once per block, read by the editor and the host's get.
//   Relaxed atomics.
// - programIndex (host/PluginEffect.h) and the programs' values: written by program switches and by
//   every parameter set (into the current program), read by switches and the name requests. Relaxed
//   atomics, one per value (ProgramRecord.h).
// - the programs' names: written by renames, read by the name requests. One relaxed atomic per
//   character: a name read during a rename may mix the two names, but it stays terminated.
// - sampleRate and blockSize (host/PluginEffect.h): written by the stream requests, read by any thread.
//   Relaxed atomics.
// - writerTurn: program switches and rate changes take turns through it (a writer-side spin over a few
//   stores), so two switches never write one program's values into the other, and the meter rate, its
//   decay and the gain computer's rate come from one change. Parameter sets and processing never take it.
// - the gain computer's envelopes and slot gains, and the block's locals: the audio thread's alone.
// - the editor's change mask, refresh flag and knob mode: see editor/CompressorEditor.h. The controls,
//   their values and the editor's control pointers are the user-interface thread's alone.
//
// Two threads setting the same parameter at the same moment store the value, its setting and its program
// entry one after the other; until the next set, the value read back may be one thread's and the setting
// the other's. Neither is torn and nothing outside the two values is touched.

#include "host/PluginEffectX.h"
#include "plugin/BlockPipeline.h"
#include "plugin/GainComputer.h"
#include "plugin/ProgramRecord.h"

#include <atomic>
#include <cstddef>

class CompressorBase : public PluginEffectX {
public:
    static constexpr int32_t kProgramCount = 7;
    static constexpr int32_t kParameterCount = 4;

    // Parameter indices, the meters readable through the same get operation, and the hidden value.
    static constexpr int32_t kThreshold = 0;
    static constexpr int32_t kAttack = 1;
    static constexpr int32_t kTimeConstant = 2;
    static constexpr int32_t kGain = 3;
    static constexpr int32_t kGainReductionMeter = 22;
    static constexpr int32_t kInputLeftMeter = 23;
    static constexpr int32_t kInputRightMeter = 24;
    static constexpr int32_t kOutputLeftMeter = 25;
    static constexpr int32_t kOutputRightMeter = 26;
    static constexpr int32_t kSpare = 27;
    // The longest display text, "5000.0  ms", in characters; a display writes at most this and a NUL.
    static constexpr std::size_t kDisplayLength = 10;

    explicit CompressorBase(HostCallback callback);

    void setParameterValue(int32_t index, float value) override;
    float parameterValue(int32_t index) override;
    void processAdd(float** inputs, float** outputs, int32_t frames) override;
    void processReplace(float** inputs, float** outputs, int32_t frames) override;

    void selectProgram(int32_t index) override;
    void renameProgram(char* text) override;
    void currentProgramName(char* text) override;
    void parameterLabel(int32_t index, char* text) override;
    void parameterDisplay(int32_t index, char* text) override;
    void parameterName(int32_t index, char* text) override;
    void changeSampleRate(float rate) override;

    bool indexedProgramName(HostInt category, int32_t index, char* text) override;
    HostInt pluginCategory() override { return kPlugCategEffect; }
    void changeBlockSizeAndSampleRate(int32_t size, float rate) override;
    bool effectNameText(char* text) override;
    bool vendorText(char* text) override;
    bool productText(char* text) override;
    HostInt vendorVersionNumber() override;
    HostInt canDoAnswer(char* text) override;

    virtual void processBlock(float** inputs, float** outputs, int32_t frames, int32_t replace);

    // The raw held input peaks; the panel lights a lamp only while its input is not silent.
    float heldInputLeft() const { return inputHoldLeft.load(std::memory_order_relaxed); }
    float heldInputRight() const { return inputHoldRight.load(std::memory_order_relaxed); }
    virtual void loadPresetPrograms();

protected:
    GainComputer gainComputer;
    // Written by the audio thread once per block, read by the editor.
    std::atomic<float> gainReductionHold{0.0f};
    std::atomic<float> inputHoldLeft{0.0f};
    std::atomic<float> inputHoldRight{0.0f};
    std::atomic<float> outputHoldLeft{0.0f};
    std::atomic<float> outputHoldRight{0.0f};
    // Written by any thread that sets a parameter, read by the audio thread once per block.
    std::atomic<float> outputGain{0.0f};
    // The values as set, read back by any thread; the meter rate; the programs (see the list above).
    std::atomic<float> attackValue{0.0f};
    std::atomic<float> thresholdValue{0.0f};
    std::atomic<float> timeConstantValue{0.0f};
    std::atomic<float> gainValue{0.0f};
    std::atomic<float> spareValue{0.0f};
    std::atomic<int32_t> meterSampleRate{0};
    std::atomic<double> meterDecay{0.0};
    ProgramRecord programs[kProgramCount];
    std::atomic_flag writerTurn = ATOMIC_FLAG_INIT;

private:
    MeterHolds loadHolds() const;
    void storeHolds(const MeterHolds& holds);

    void applyTimeConstant(float value);
    void applyOutputGain(float value);
    void followSampleRate(float rate);
    float inputMeterReading(float hold) const;
};

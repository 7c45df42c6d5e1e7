#pragma once
// The compressor as the host sees it: identity, the four parameters and the meter read-out, block
// processing through the gain computer with five peak-hold meters, and the seven programs.

#include "host/PluginEffectX.h"
#include "plugin/BlockPipeline.h"
#include "plugin/GainComputer.h"
#include "plugin/ProgramRecord.h"

#include <atomic>

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
    float attackValue = 0.0f;
    float thresholdValue = 0.0f;
    float timeConstantValue = 0.0f;
    float gainValue = 0.0f;
    float spareValue = 0.0f;
    int32_t meterSampleRate = 0;
    std::atomic<double> meterDecay{0.0};
    ProgramRecord programs[kProgramCount];

private:
    MeterHolds loadHolds() const;
    void storeHolds(const MeterHolds& holds);

    void applyTimeConstant(float value);
    void applyOutputGain(float value);
    void followSampleRate(float rate);
    float inputMeterReading(float hold) const;
};

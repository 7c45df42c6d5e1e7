#pragma once
// Base class of every plug-in instance. It owns the record the host holds, routes the host's calls
// through the record's entries to virtual operations (opcodes 0 to 24 here), and gives each operation a
// default that declines. The virtual operations are declared in their fixed slot order.

#include "host/AEffect.h"
#include "host/HostRecords.h"

#include <atomic>

class EditorBase;

class PluginEffect {
public:
    PluginEffect(HostCallback callback, int32_t programs, int32_t parameters);
    PluginEffect(const PluginEffect&) = delete;
    PluginEffect& operator=(const PluginEffect&) = delete;

    // Slots 0 to 5: parameters and audio.
    virtual ~PluginEffect();
    virtual void setParameterValue(int32_t index, float value);
    virtual float parameterValue(int32_t index);
    virtual void setParameterAndNotify(int32_t index, float value);
    virtual void processAdd(float** inputs, float** outputs, int32_t frames) = 0;
    virtual void processReplace(float** inputs, float** outputs, int32_t frames);

    // Slots 6 to 22: dispatch, programs, names, chunks, stream settings.
    virtual HostInt dispatch(int32_t opcode, int32_t index, HostInt value, void* pointer, float opt);
    virtual void onOpen() {}
    virtual void onClose() {}
    virtual int32_t currentProgram() { return programIndex.load(std::memory_order_relaxed); }
    virtual void selectProgram(int32_t index) { programIndex.store(index, std::memory_order_relaxed); }
    virtual void renameProgram(char* text);
    virtual void currentProgramName(char* text);
    virtual void parameterLabel(int32_t index, char* text);
    virtual void parameterDisplay(int32_t index, char* text);
    virtual void parameterName(int32_t index, char* text);
    virtual float vuLevel() { return 0.0f; }
    virtual int32_t saveChunk(void** data, bool preset);
    virtual int32_t loadChunk(void* data, int32_t size, bool preset);
    virtual void changeSampleRate(float rate) { sampleRate.store(rate, std::memory_order_relaxed); }
    virtual void changeBlockSize(int32_t size) { blockSize.store(size, std::memory_order_relaxed); }
    virtual void onSuspend() {}
    virtual void onResume() {}

    // Slots 23 to 35: the record's fields.
    virtual void assignUniqueId(int32_t id) { effect.uniqueID = id; }
    virtual void assignInputCount(int32_t count) { effect.numInputs = count; }
    virtual void assignOutputCount(int32_t count) { effect.numOutputs = count; }
    virtual void declareVu(bool state) { setFlag(effFlagsHasVu, state); }
    virtual void declareClip(bool state) { setFlag(effFlagsHasClip, state); }
    virtual void declareMono(bool state) { setFlag(effFlagsCanMono, state); }
    virtual void declareReplacing(bool state) { setFlag(effFlagsCanReplacing, state); }
    virtual void declareChunkPrograms(bool state) { setFlag(effFlagsProgramChunks, state); }
    virtual void assignRealtimeQualities(int32_t value) { effect.realQualities = value; }
    virtual void assignOfflineQualities(int32_t value) { effect.offQualities = value; }
    virtual void assignInitialDelay(int32_t samples) { effect.initialDelay = samples; }
    virtual float sampleRateValue() { return sampleRate.load(std::memory_order_relaxed); }
    virtual int32_t blockSizeValue() { return blockSize.load(std::memory_order_relaxed); }

    // Slots 36 to 40: requests to the host.
    virtual HostInt hostVersion();
    virtual HostInt hostCurrentId();
    virtual void hostIdle();
    virtual bool isInputPinConnected(int32_t pin);
    virtual bool isOutputPinConnected(int32_t pin);

    // Slots 41 to 45: numbers as short texts of at most 8 characters.
    virtual void decibelsToText(float gain, char* text);
    virtual void hertzToText(float samples, char* text);
    virtual void millisecondsToText(float samples, char* text);
    virtual void floatToText(float value, char* text);
    virtual void integerToText(int32_t value, char* text);

    AEffect* effectRecord() { return &effect; }
    void attachEditor(EditorBase* newEditor);

protected:
    void setFlag(int32_t flag, bool state);

    // Sends one request through the callback and answers the host's integer; 0 without a callback,
    // which every request's reading of the answer turns into its own "no host" result.
    HostInt askHost(int32_t opcode, int32_t index = 0, HostInt value = 0, void* pointer = nullptr,
                    float opt = 0.0f);

    // The stream settings and the current program are set by whichever thread the host uses and read by
    // any other: relaxed atomics, since each is a value of its own and a late one is harmless.
    std::atomic<float> sampleRate{44100.0f};
    EditorBase* editor = nullptr;
    HostCallback hostCallback;
    int32_t programCount;
    int32_t parameterCount;
    std::atomic<int32_t> programIndex{0};
    std::atomic<int32_t> blockSize{1024};
    AEffect effect;

private:
    HostInt dispatchEditor(int32_t opcode, void* pointer);
};

#pragma once
// The extended plug-in base: answers the host's opcodes 25 to 76 itself and hands every other one to
// the base dispatcher. Its 99 operations continue the base's slot table from slot 46, in fixed order.

#include "host/PluginEffect.h"

class PluginEffectX : public PluginEffect {
public:
    using PluginEffect::PluginEffect;

    HostInt dispatch(int32_t opcode, int32_t index, HostInt value, void* pointer, float opt) override;

    // Slots 46 to 58.
    virtual EditorBase* editorObject() { return editor; }
    virtual HostInt hostWantEvents(HostInt filter);
    virtual VstTimeInfo* hostTimeInfo(HostInt filter);
    virtual HostInt hostTempoAt(HostInt position);
    virtual HostInt receiveEvents(VstEvents*) { return 0; }
    virtual HostInt hostAutomatableCount();
    virtual HostInt hostParameterQuantization();
    virtual bool isParameterAutomatable(int32_t) { return true; }
    virtual bool parameterFromText(int32_t, char*) { return false; }
    virtual float channelParameterValue(int32_t, int32_t) { return 0.0f; }
    virtual HostInt programCategoryCount() { return 1; }
    virtual bool indexedProgramName(HostInt, int32_t, char*) { return false; }
    virtual bool duplicateProgram(int32_t) { return false; }

    // Slots 59 to 79.
    virtual bool hostIoChanged();
    virtual bool hostNeedIdle();
    virtual bool hostResizeWindow(int32_t width, int32_t height);
    virtual float refreshSampleRate();
    virtual int32_t refreshBlockSize();
    virtual HostInt hostInputLatency();
    virtual HostInt hostOutputLatency();
    virtual AEffect* hostPreviousPlug(int32_t pin);
    virtual AEffect* hostNextPlug(int32_t pin);
    virtual void onInputConnected(int32_t, bool) {}
    virtual void onOutputConnected(int32_t, bool) {}
    virtual bool inputPinProperties(int32_t, VstPinProperties*) { return false; }
    virtual bool outputPinProperties(int32_t, VstPinProperties*) { return false; }
    virtual HostInt pluginCategory();
    virtual HostInt hostReplaceOrAccumulate();
    virtual HostInt hostProcessLevel();
    virtual HostInt hostAutomationState();
    virtual void declareAsync(bool state) { setFlag(effFlagsExtIsAsync, state); }
    virtual void declareExternalBuffer(bool state) { setFlag(effFlagsExtHasBuffer, state); }
    virtual HostInt currentPosition() { return 0; }
    virtual float* destinationBuffer() { return nullptr; }

    // Slots 80 to 97: offline processing and host information.
    virtual bool hostOfflineRead(VstOfflineTask* task, HostInt option, bool readSource);
    virtual bool hostOfflineWrite(VstOfflineTask* task, HostInt option);
    virtual bool hostOfflineStart(VstAudioFile* files, HostInt fileCount, int32_t newFileCount);
    virtual bool hostOfflinePass();
    virtual bool hostOfflineMetaPass();
    virtual bool onOfflineNotify(VstAudioFile*, HostInt, bool) { return false; }
    virtual bool onOfflinePrepare(VstOfflineTask*, HostInt) { return false; }
    virtual bool onOfflineRun(VstOfflineTask*, HostInt) { return false; }
    virtual HostInt offlinePassCount() { return 0; }
    virtual HostInt offlineMetaPassCount() { return 0; }
    virtual void hostSetOutputSampleRate(float rate);
    virtual VstSpeakerArrangement* hostInputArrangement();
    virtual VstSpeakerArrangement* hostOutputArrangement();
    virtual bool hostVendorText(char* text);
    virtual bool hostProductText(char* text);
    virtual HostInt hostVendorVersion();
    virtual HostInt hostVendorSpecific(int32_t index, HostInt value, void* pointer, float opt);
    virtual bool hostCanDo(char* text);

    // Slots 98 to 130.
    virtual void declareSynth(bool state) { setFlag(effFlagsIsSynth, state); }
    virtual void declareNoTail(bool state) { setFlag(effFlagsNoSoundInStop, state); }
    virtual HostInt hostLanguage();
    virtual void* hostOpenWindow(VstWindow* window);
    virtual bool hostCloseWindow(VstWindow* window);
    virtual void* hostDirectory();
    virtual bool hostUpdateDisplay();
    virtual bool processVarIoBlock(VstVariableIo*) { return false; }
    virtual bool acceptSpeakerArrangement(VstSpeakerArrangement*, VstSpeakerArrangement*) { return false; }
    virtual bool reportSpeakerArrangement(VstSpeakerArrangement** input, VstSpeakerArrangement** output);
    virtual void changeBlockSizeAndSampleRate(int32_t size, float rate);
    virtual bool applyBypass(bool) { return false; }
    virtual bool effectNameText(char*) { return false; }
    virtual bool errorText(char*) { return false; }
    virtual bool vendorText(char*) { return false; }
    virtual bool productText(char*) { return false; }
    virtual HostInt vendorVersionNumber() { return 0; }
    virtual HostInt vendorSpecificRequest(int32_t, HostInt, void*, float) { return 0; }
    virtual HostInt canDoAnswer(char*) { return 0; }
    virtual void* iconData() { return nullptr; }
    virtual bool placeView(int32_t, HostInt) { return false; }
    virtual HostInt tailSize() { return 0; }
    virtual HostInt idleTick() { return 0; }
    virtual bool parameterProperties(int32_t, VstParameterProperties*) { return false; }
    virtual bool needsKeys() { return false; }
    virtual HostInt interfaceVersion() { return 2300; }
    virtual HostInt midiProgramName(int32_t, MidiProgramName*) { return 0; }
    virtual HostInt currentMidiProgram(int32_t, MidiProgramName*) { return -1; }
    virtual HostInt midiProgramCategory(int32_t, MidiProgramCategory*) { return 0; }
    virtual bool midiProgramsChanged(int32_t) { return false; }
    virtual bool midiKeyName(int32_t, MidiKeyName*) { return false; }
    virtual bool onBeginSetProgram() { return false; }
    virtual bool onEndSetProgram() { return false; }

    // Slots 131 to 144.
    virtual bool hostBeginEdit(int32_t index);
    virtual bool hostEndEdit(int32_t index);
    virtual bool hostOpenFileSelector(VstFileSelect* selector);
    virtual HostInt totalSamplesToProcess(HostInt value) { return value; }
    virtual HostInt nextShellPlugin(char*) { return 0; }
    virtual HostInt onStartProcess() { return 0; }
    virtual HostInt onStopProcess() { return 0; }
    virtual bool applyPanLaw(HostInt, float) { return false; }
    virtual HostInt onBeginLoadBank(VstPatchChunkInfo*) { return 0; }
    virtual HostInt onBeginLoadProgram(VstPatchChunkInfo*) { return 0; }
    virtual bool createArrangement(VstSpeakerArrangement** place, int32_t channels);
    virtual bool releaseArrangement(VstSpeakerArrangement** place);
    virtual bool copySpeakerProperties(VstSpeakerProperties* destination, VstSpeakerProperties* source);
    virtual bool cloneArrangement(VstSpeakerArrangement** place, VstSpeakerArrangement* source);

private:
    HostInt dispatchEditor(int32_t opcode, int32_t index, HostInt value, float opt);
};

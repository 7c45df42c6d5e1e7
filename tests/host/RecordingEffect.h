#pragma once
// A plug-in whose every dispatcher-reachable operation writes what it was called with into a log and
// answers a configurable value, so that tests can see exactly where each opcode lands.

#include "editor/EditorBase.h"
#include "tests/support/IdleEffect.h"

#include <string>
#include <type_traits>

// Test pointers that the log names instead of printing addresses.
extern char kTextPointer[];
extern char kValuePointer[];
std::string describePointer(const void* pointer);

class RecordingEffect : public IdleEffect {
public:
    explicit RecordingEffect(HostCallback callback = nullptr) : IdleEffect(callback, 7, 4) {}

    std::string log;    // the last operation reached, as "name(arguments)"
    HostInt answer = 0; // what every recorded operation answers (as a bool: answer != 0)

    void onOpen() override { record("onOpen"); }
    void onClose() override { record("onClose"); }
    int32_t currentProgram() override { return int32_t(record("currentProgram")); }
    void selectProgram(int32_t index) override { record("selectProgram", index); }
    void renameProgram(char* text) override { record("renameProgram", text); }
    void currentProgramName(char* text) override { record("currentProgramName", text); }
    void parameterLabel(int32_t index, char* text) override { record("parameterLabel", index, text); }
    void parameterDisplay(int32_t index, char* text) override { record("parameterDisplay", index, text); }
    void parameterName(int32_t index, char* text) override { record("parameterName", index, text); }
    int32_t saveChunk(void** data, bool preset) override {
        return int32_t(record("saveChunk", data, preset));
    }
    int32_t loadChunk(void* data, int32_t size, bool preset) override {
        return int32_t(record("loadChunk", data, size, preset));
    }
    void changeSampleRate(float rate) override { record("changeSampleRate", rate); }
    void changeBlockSize(int32_t size) override { record("changeBlockSize", size); }
    void onSuspend() override { record("onSuspend"); }
    void onResume() override { record("onResume"); }

    HostInt receiveEvents(VstEvents* events) override { return record("receiveEvents", events); }
    bool isParameterAutomatable(int32_t index) override { return record("isParameterAutomatable", index); }
    bool parameterFromText(int32_t index, char* text) override {
        return record("parameterFromText", index, text);
    }
    HostInt programCategoryCount() override { return record("programCategoryCount"); }
    bool indexedProgramName(HostInt category, int32_t index, char* text) override {
        return record("indexedProgramName", category, index, text);
    }
    bool duplicateProgram(int32_t index) override { return record("duplicateProgram", index); }
    void onInputConnected(int32_t index, bool state) override { record("onInputConnected", index, state); }
    void onOutputConnected(int32_t index, bool state) override { record("onOutputConnected", index, state); }
    bool inputPinProperties(int32_t index, VstPinProperties* properties) override {
        return record("inputPinProperties", index, properties);
    }
    bool outputPinProperties(int32_t index, VstPinProperties* properties) override {
        return record("outputPinProperties", index, properties);
    }
    HostInt pluginCategory() override { return record("pluginCategory"); }
    HostInt currentPosition() override { return record("currentPosition"); }
    float* destinationBuffer() override { return reinterpret_cast<float*>(record("destinationBuffer")); }
    bool onOfflineNotify(VstAudioFile* files, HostInt count, bool start) override {
        return record("onOfflineNotify", files, count, start);
    }
    bool onOfflinePrepare(VstOfflineTask* tasks, HostInt count) override {
        return record("onOfflinePrepare", tasks, count);
    }
    bool onOfflineRun(VstOfflineTask* tasks, HostInt count) override {
        return record("onOfflineRun", tasks, count);
    }
    bool processVarIoBlock(VstVariableIo* io) override { return record("processVarIoBlock", io); }
    bool acceptSpeakerArrangement(VstSpeakerArrangement* input, VstSpeakerArrangement* output) override {
        return record("acceptSpeakerArrangement", input, output);
    }
    void changeBlockSizeAndSampleRate(int32_t size, float rate) override {
        record("changeBlockSizeAndSampleRate", size, rate);
    }
    bool applyBypass(bool state) override { return record("applyBypass", state); }
    bool effectNameText(char* text) override { return record("effectNameText", text); }
    bool errorText(char* text) override { return record("errorText", text); }
    bool vendorText(char* text) override { return record("vendorText", text); }
    bool productText(char* text) override { return record("productText", text); }
    HostInt vendorVersionNumber() override { return record("vendorVersionNumber"); }
    HostInt vendorSpecificRequest(int32_t index, HostInt value, void* pointer, float opt) override {
        return record("vendorSpecificRequest", index, value, pointer, opt);
    }
    HostInt canDoAnswer(char* text) override { return record("canDoAnswer", text); }
    HostInt tailSize() override { return record("tailSize"); }
    HostInt idleTick() override { return record("idleTick"); }
    void* iconData() override { return reinterpret_cast<void*>(record("iconData")); }
    bool placeView(int32_t x, HostInt y) override { return record("placeView", x, y); }
    bool parameterProperties(int32_t index, VstParameterProperties* properties) override {
        return record("parameterProperties", index, properties);
    }
    bool needsKeys() override { return record("needsKeys"); }
    HostInt interfaceVersion() override { return record("interfaceVersion"); }
    HostInt midiProgramName(int32_t channel, MidiProgramName* name) override {
        return record("midiProgramName", channel, name);
    }
    HostInt currentMidiProgram(int32_t channel, MidiProgramName* name) override {
        return record("currentMidiProgram", channel, name);
    }
    HostInt midiProgramCategory(int32_t channel, MidiProgramCategory* category) override {
        return record("midiProgramCategory", channel, category);
    }
    bool midiProgramsChanged(int32_t channel) override { return record("midiProgramsChanged", channel); }
    bool midiKeyName(int32_t channel, MidiKeyName* name) override {
        return record("midiKeyName", channel, name);
    }
    bool onBeginSetProgram() override { return record("onBeginSetProgram"); }
    bool onEndSetProgram() override { return record("onEndSetProgram"); }
    bool reportSpeakerArrangement(VstSpeakerArrangement** input, VstSpeakerArrangement** output) override {
        return record("reportSpeakerArrangement", input, output);
    }
    HostInt nextShellPlugin(char* text) override { return record("nextShellPlugin", text); }
    HostInt onStartProcess() override { return record("onStartProcess"); }
    HostInt onStopProcess() override { return record("onStopProcess"); }
    HostInt totalSamplesToProcess(HostInt value) override { return record("totalSamplesToProcess", value); }
    bool applyPanLaw(HostInt type, float value) override { return record("applyPanLaw", type, value); }
    HostInt onBeginLoadBank(VstPatchChunkInfo* info) override { return record("onBeginLoadBank", info); }
    HostInt onBeginLoadProgram(VstPatchChunkInfo* info) override {
        return record("onBeginLoadProgram", info);
    }

    // Logs the call as "name(arguments)" and answers.
    template <typename... Arguments> HostInt record(const char* name, Arguments... arguments) {
        std::string list;
        ((list += (list.empty() ? "" : ",") + argumentText(arguments)), ...);
        log = std::string(name) + "(" + list + ")";
        return answer;
    }

private:
    // Never empty: flags as true or false, numbers as printed, pointers as describePointer names them.
    template <typename Argument> static std::string argumentText(Argument argument) {
        if constexpr (std::is_same_v<Argument, bool>)
            return argument ? "true" : "false";
        else if constexpr (std::is_integral_v<Argument>)
            return std::to_string(argument);
        else if constexpr (std::is_floating_point_v<Argument>)
            return number(argument);
        else
            return describePointer(argument);
    }
    static std::string number(float value);
};

// An editor that logs into its plug-in's log.
class RecordingEditor : public EditorBase {
public:
    explicit RecordingEditor(RecordingEffect& owner) : EditorBase(owner), effect(owner) {}

    int32_t getPanelRect(ERect** rect) override { return int32_t(effect.record("getPanelRect", rect)); }
    int32_t openPanel(void* parent) override { return int32_t(effect.record("openPanel", parent)); }
    void closePanel() override { effect.record("closePanel"); }
    void idle() override { effect.record("idle"); }
    int32_t keyDown(VstKeyCode& key) override {
        return int32_t(effect.record("keyDown", key.character, key.virt, key.modifier));
    }
    int32_t keyUp(VstKeyCode& key) override {
        return int32_t(effect.record("keyUp", key.character, key.virt, key.modifier));
    }
    int32_t selectKnobMode(int32_t mode) override { return int32_t(effect.record("selectKnobMode", mode)); }

private:
    RecordingEffect& effect;
};

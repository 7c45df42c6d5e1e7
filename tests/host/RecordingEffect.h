#pragma once
// A plug-in whose every dispatcher-reachable operation writes what it was called with into a log and
// answers a configurable value, so that tests can see exactly where each opcode lands.

#include "editor/EditorBase.h"
#include "host/PluginEffectX.h"

#include <string>

// Test pointers that the log names instead of printing addresses.
extern char kTextPointer[];
extern char kValuePointer[];
std::string describePointer(const void* pointer);

class RecordingEffect : public PluginEffectX {
public:
    explicit RecordingEffect(HostCallback callback = nullptr) : PluginEffectX(callback, 7, 4) {}

    std::string log;    // the last operation reached, as "name(arguments)"
    HostInt answer = 0; // what every recorded operation answers (as a bool: answer != 0)

    using PluginEffect::setFlag;
    int32_t flags() const { return effect.flags; }
    int32_t storedBlockSize() const { return blockSize; }

    void processAdd(float**, float**, int32_t) override {}
    void onOpen() override { record("onOpen()"); }
    void onClose() override { record("onClose()"); }
    int32_t currentProgram() override { return int32_t(record("currentProgram()")); }
    void selectProgram(int32_t index) override { record("selectProgram(" + std::to_string(index) + ")"); }
    void renameProgram(char* text) override { record("renameProgram(" + describePointer(text) + ")"); }
    void currentProgramName(char* text) override {
        record("currentProgramName(" + describePointer(text) + ")");
    }
    void parameterLabel(int32_t index, char* text) override {
        record(indexAndPointer("parameterLabel", index, text));
    }
    void parameterDisplay(int32_t index, char* text) override {
        record(indexAndPointer("parameterDisplay", index, text));
    }
    void parameterName(int32_t index, char* text) override {
        record(indexAndPointer("parameterName", index, text));
    }
    float vuLevel() override { return float(record("vuLevel()")) / 100.0f; }
    int32_t saveChunk(void** data, bool preset) override {
        return int32_t(record("saveChunk(" + describePointer(data) + "," + flag(preset) + ")"));
    }
    int32_t loadChunk(void* data, int32_t size, bool preset) override {
        return int32_t(record("loadChunk(" + describePointer(data) + "," + std::to_string(size) + "," +
                              flag(preset) + ")"));
    }
    void changeSampleRate(float rate) override { record("changeSampleRate(" + number(rate) + ")"); }
    void changeBlockSize(int32_t size) override { record("changeBlockSize(" + std::to_string(size) + ")"); }
    void onSuspend() override { record("onSuspend()"); }
    void onResume() override { record("onResume()"); }

    HostInt receiveEvents(VstEvents* events) override {
        return record("receiveEvents(" + describePointer(events) + ")");
    }
    bool isParameterAutomatable(int32_t index) override {
        return record("isParameterAutomatable(" + std::to_string(index) + ")");
    }
    bool parameterFromText(int32_t index, char* text) override {
        return record(indexAndPointer("parameterFromText", index, text));
    }
    HostInt programCategoryCount() override { return record("programCategoryCount()"); }
    bool indexedProgramName(HostInt category, int32_t index, char* text) override {
        return record("indexedProgramName(" + std::to_string(category) + "," + std::to_string(index) + "," +
                      describePointer(text) + ")");
    }
    bool duplicateProgram(int32_t index) override {
        return record("duplicateProgram(" + std::to_string(index) + ")");
    }
    void onInputConnected(int32_t index, bool state) override {
        record("onInputConnected(" + std::to_string(index) + "," + flag(state) + ")");
    }
    void onOutputConnected(int32_t index, bool state) override {
        record("onOutputConnected(" + std::to_string(index) + "," + flag(state) + ")");
    }
    bool inputPinProperties(int32_t index, VstPinProperties* properties) override {
        return record(indexAndPointer("inputPinProperties", index, properties));
    }
    bool outputPinProperties(int32_t index, VstPinProperties* properties) override {
        return record(indexAndPointer("outputPinProperties", index, properties));
    }
    HostInt pluginCategory() override { return record("pluginCategory()"); }
    HostInt currentPosition() override { return record("currentPosition()"); }
    float* destinationBuffer() override { return reinterpret_cast<float*>(record("destinationBuffer()")); }
    bool onOfflineNotify(VstAudioFile* files, HostInt count, bool start) override {
        return record("onOfflineNotify(" + describePointer(files) + "," + std::to_string(count) + "," +
                      flag(start) + ")");
    }
    bool onOfflinePrepare(VstOfflineTask* tasks, HostInt count) override {
        return record("onOfflinePrepare(" + describePointer(tasks) + "," + std::to_string(count) + ")");
    }
    bool onOfflineRun(VstOfflineTask* tasks, HostInt count) override {
        return record("onOfflineRun(" + describePointer(tasks) + "," + std::to_string(count) + ")");
    }
    bool processVarIoBlock(VstVariableIo* io) override {
        return record("processVarIoBlock(" + describePointer(io) + ")");
    }
    bool acceptSpeakerArrangement(VstSpeakerArrangement* input, VstSpeakerArrangement* output) override {
        return record("acceptSpeakerArrangement(" + describePointer(input) + "," + describePointer(output) +
                      ")");
    }
    void changeBlockSizeAndSampleRate(int32_t size, float rate) override {
        record("changeBlockSizeAndSampleRate(" + std::to_string(size) + "," + number(rate) + ")");
    }
    bool applyBypass(bool state) override { return record("applyBypass(" + flag(state) + ")"); }
    bool effectNameText(char* text) override {
        return record("effectNameText(" + describePointer(text) + ")");
    }
    bool errorText(char* text) override { return record("errorText(" + describePointer(text) + ")"); }
    bool vendorText(char* text) override { return record("vendorText(" + describePointer(text) + ")"); }
    bool productText(char* text) override { return record("productText(" + describePointer(text) + ")"); }
    HostInt vendorVersionNumber() override { return record("vendorVersionNumber()"); }
    HostInt vendorSpecificRequest(int32_t index, HostInt value, void* pointer, float opt) override {
        return record("vendorSpecificRequest(" + std::to_string(index) + "," + std::to_string(value) + "," +
                      describePointer(pointer) + "," + number(opt) + ")");
    }
    HostInt canDoAnswer(char* text) override { return record("canDoAnswer(" + describePointer(text) + ")"); }
    HostInt tailSize() override { return record("tailSize()"); }
    HostInt idleTick() override { return record("idleTick()"); }
    void* iconData() override { return reinterpret_cast<void*>(record("iconData()")); }
    bool placeView(int32_t x, HostInt y) override {
        return record("placeView(" + std::to_string(x) + "," + std::to_string(y) + ")");
    }
    bool parameterProperties(int32_t index, VstParameterProperties* properties) override {
        return record(indexAndPointer("parameterProperties", index, properties));
    }
    bool needsKeys() override { return record("needsKeys()"); }
    HostInt interfaceVersion() override { return record("interfaceVersion()"); }
    HostInt midiProgramName(int32_t channel, MidiProgramName* name) override {
        return record(indexAndPointer("midiProgramName", channel, name));
    }
    HostInt currentMidiProgram(int32_t channel, MidiProgramName* name) override {
        return record(indexAndPointer("currentMidiProgram", channel, name));
    }
    HostInt midiProgramCategory(int32_t channel, MidiProgramCategory* category) override {
        return record(indexAndPointer("midiProgramCategory", channel, category));
    }
    bool midiProgramsChanged(int32_t channel) override {
        return record("midiProgramsChanged(" + std::to_string(channel) + ")");
    }
    bool midiKeyName(int32_t channel, MidiKeyName* name) override {
        return record(indexAndPointer("midiKeyName", channel, name));
    }
    bool onBeginSetProgram() override { return record("onBeginSetProgram()"); }
    bool onEndSetProgram() override { return record("onEndSetProgram()"); }
    bool reportSpeakerArrangement(VstSpeakerArrangement** input, VstSpeakerArrangement** output) override {
        return record("reportSpeakerArrangement(" + describePointer(input) + "," + describePointer(output) +
                      ")");
    }
    HostInt nextShellPlugin(char* text) override {
        return record("nextShellPlugin(" + describePointer(text) + ")");
    }
    HostInt onStartProcess() override { return record("onStartProcess()"); }
    HostInt onStopProcess() override { return record("onStopProcess()"); }
    HostInt totalSamplesToProcess(HostInt value) override {
        return record("totalSamplesToProcess(" + std::to_string(value) + ")");
    }
    bool applyPanLaw(HostInt type, float value) override {
        return record("applyPanLaw(" + std::to_string(type) + "," + number(value) + ")");
    }
    HostInt onBeginLoadBank(VstPatchChunkInfo* info) override {
        return record("onBeginLoadBank(" + describePointer(info) + ")");
    }
    HostInt onBeginLoadProgram(VstPatchChunkInfo* info) override {
        return record("onBeginLoadProgram(" + describePointer(info) + ")");
    }

    HostInt record(const std::string& call) {
        log = call;
        return answer;
    }

private:
    static std::string flag(bool state) { return state ? "true" : "false"; }
    static std::string number(float value);
    static std::string indexAndPointer(const char* name, int32_t index, const void* pointer) {
        return std::string(name) + "(" + std::to_string(index) + "," + describePointer(pointer) + ")";
    }
};

// An editor that logs into its plug-in's log.
class RecordingEditor : public EditorBase {
public:
    explicit RecordingEditor(RecordingEffect& owner) : EditorBase(owner), effect(owner) {}

    int32_t getPanelRect(ERect** rect) override {
        return int32_t(effect.record("getPanelRect(" + describePointer(rect) + ")"));
    }
    int32_t openPanel(void* parent) override {
        return int32_t(effect.record("openPanel(" + describePointer(parent) + ")"));
    }
    void closePanel() override { effect.record("closePanel()"); }
    void idle() override { effect.record("idle()"); }
    int32_t keyDown(VstKeyCode& key) override {
        return int32_t(effect.record("keyDown(" + describeKey(key) + ")"));
    }
    int32_t keyUp(VstKeyCode& key) override {
        return int32_t(effect.record("keyUp(" + describeKey(key) + ")"));
    }
    int32_t selectKnobMode(int32_t mode) override {
        return int32_t(effect.record("selectKnobMode(" + std::to_string(mode) + ")"));
    }

private:
    static std::string describeKey(const VstKeyCode& key) {
        return std::to_string(key.character) + "," + std::to_string(key.virt) + "," +
               std::to_string(key.modifier);
    }
    RecordingEffect& effect;
};

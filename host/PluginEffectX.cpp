#include "host/PluginEffectX.h"

#include "editor/EditorBase.h"
#include "host/HostFloat.h"
#include "host/Opcodes.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

HostInt asHostBool(bool answer) { return answer ? 1 : 0; }

} // namespace

HostInt PluginEffectX::dispatch(int32_t opcode, int32_t index, HostInt value, void* pointer, float opt) {
    if (opcode < effProcessEvents || opcode > effBeginLoadProgram)
        return PluginEffect::dispatch(opcode, index, value, pointer, opt);
    if (!hasRequiredPointers(opcode, pointer, value != 0)) return 0;

    auto text = static_cast<char*>(pointer);
    switch (opcode) {
    case effProcessEvents:
        return receiveEvents(static_cast<VstEvents*>(pointer));
    case effCanBeAutomated:
        return asHostBool(isParameterAutomatable(index));
    case effString2Parameter:
        return asHostBool(parameterFromText(index, text));
    case effGetNumProgramCategories:
        return programCategoryCount();
    case effGetProgramNameIndexed:
        return asHostBool(indexedProgramName(value, index, text));
    case effCopyProgram:
        return asHostBool(duplicateProgram(index));
    case effConnectInput:
        onInputConnected(index, value != 0);
        return 1;
    case effConnectOutput:
        onOutputConnected(index, value != 0);
        return 1;
    case effGetInputProperties:
        return asHostBool(inputPinProperties(index, static_cast<VstPinProperties*>(pointer)));
    case effGetOutputProperties:
        return asHostBool(outputPinProperties(index, static_cast<VstPinProperties*>(pointer)));
    case effGetPlugCategory:
        return pluginCategory();
    case effGetCurrentPosition:
        return currentPosition();
    case effGetDestinationBuffer:
        return reinterpret_cast<HostInt>(destinationBuffer());
    case effOfflineNotify:
        return asHostBool(onOfflineNotify(static_cast<VstAudioFile*>(pointer), value, index != 0));
    case effOfflinePrepare:
        return asHostBool(onOfflinePrepare(static_cast<VstOfflineTask*>(pointer), value));
    case effOfflineRun:
        return asHostBool(onOfflineRun(static_cast<VstOfflineTask*>(pointer), value));
    case effProcessVarIo:
        return asHostBool(processVarIoBlock(static_cast<VstVariableIo*>(pointer)));
    case effSetSpeakerArrangement:
        return asHostBool(acceptSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(value),
                                                   static_cast<VstSpeakerArrangement*>(pointer)));
    case effSetBlockSizeAndSampleRate:
        changeBlockSizeAndSampleRate(int32_t(value), opt);
        return 1;
    case effSetBypass:
        return asHostBool(applyBypass(value != 0));
    case effGetEffectName:
        return asHostBool(effectNameText(text));
    case effGetErrorText:
        return asHostBool(errorText(text));
    case effGetVendorString:
        return asHostBool(vendorText(text));
    case effGetProductString:
        return asHostBool(productText(text));
    case effGetVendorVersion:
        return vendorVersionNumber();
    case effVendorSpecific:
        return vendorSpecificRequest(index, value, pointer, opt);
    case effCanDo:
        return canDoAnswer(text);
    case effGetTailSize:
        return tailSize();
    case effIdle:
        return idleTick();
    case effGetIcon:
        return reinterpret_cast<HostInt>(iconData());
    case effSetViewPosition:
        return asHostBool(placeView(index, value));
    case effGetParameterProperties:
        return asHostBool(parameterProperties(index, static_cast<VstParameterProperties*>(pointer)));
    case effKeysRequired:
        return needsKeys() ? 0 : 1;
    case effGetVstVersion:
        return interfaceVersion();
    case effEditKeyDown:
    case effEditKeyUp:
    case effSetEditKnobMode:
        return dispatchEditor(opcode, index, value, opt);
    case effGetMidiProgramName:
        return midiProgramName(index, static_cast<MidiProgramName*>(pointer));
    case effGetCurrentMidiProgram:
        return currentMidiProgram(index, static_cast<MidiProgramName*>(pointer));
    case effGetMidiProgramCategory:
        return midiProgramCategory(index, static_cast<MidiProgramCategory*>(pointer));
    case effHasMidiProgramsChanged:
        return asHostBool(midiProgramsChanged(index));
    case effGetMidiKeyName:
        return asHostBool(midiKeyName(index, static_cast<MidiKeyName*>(pointer)));
    case effBeginSetProgram:
        return asHostBool(onBeginSetProgram());
    case effEndSetProgram:
        return asHostBool(onEndSetProgram());
    case effGetSpeakerArrangement:
        return asHostBool(reportSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement**>(value),
                                                   static_cast<VstSpeakerArrangement**>(pointer)));
    case effShellGetNextPlugin:
        return nextShellPlugin(text);
    case effStartProcess:
        return onStartProcess();
    case effStopProcess:
        return onStopProcess();
    case effSetTotalSampleToProcess:
        return totalSamplesToProcess(value);
    case effSetPanLaw:
        return asHostBool(applyPanLaw(value, opt));
    case effBeginLoadBank:
        return onBeginLoadBank(static_cast<VstPatchChunkInfo*>(pointer));
    default:
        return onBeginLoadProgram(static_cast<VstPatchChunkInfo*>(pointer));
    }
}

HostInt PluginEffectX::dispatchEditor(int32_t opcode, int32_t index, HostInt value, float opt) {
    if (!editor) return 0;
    if (opcode == effSetEditKnobMode) return editor->selectKnobMode(int32_t(value));
    // A modifier that is no 32-bit integer (NaN, an infinity, a huge value) is no modifier at all.
    const int32_t modifier = fitsInt32(opt) ? int32_t(opt) : 0;
    VstKeyCode key{index, uint8_t(value & 0xFF), uint8_t(modifier & 0xFF)};
    return opcode == effEditKeyDown ? editor->keyDown(key) : editor->keyUp(key);
}

HostInt PluginEffectX::pluginCategory() {
    return (effect.flags & effFlagsIsSynth) ? kPlugCategSynth : kPlugCategUnknown;
}

bool PluginEffectX::reportSpeakerArrangement(VstSpeakerArrangement** input, VstSpeakerArrangement** output) {
    *input = nullptr;
    *output = nullptr;
    return false;
}

void PluginEffectX::changeBlockSizeAndSampleRate(int32_t size, float rate) {
    blockSize.store(size, std::memory_order_relaxed);
    sampleRate.store(rate, std::memory_order_relaxed);
}

// ---- Speaker arrangements -------------------------------------------------------------------------

bool PluginEffectX::createArrangement(VstSpeakerArrangement** place, int32_t channels) {
    if (!place) return false;
    releaseArrangement(place);
    if (channels < 0 || arrangementBytes(channels) > std::numeric_limits<int32_t>::max()) return false;
    auto bytes = size_t(arrangementBytes(channels));
    auto arrangement = static_cast<VstSpeakerArrangement*>(std::calloc(1, bytes));
    if (!arrangement) return false;
    arrangement->numChannels = channels;
    *place = arrangement;
    return true;
}

bool PluginEffectX::releaseArrangement(VstSpeakerArrangement** place) {
    if (place && *place) {
        std::free(*place);
        *place = nullptr;
    }
    return true;
}

bool PluginEffectX::copySpeakerProperties(VstSpeakerProperties* destination, VstSpeakerProperties* source) {
    if (!destination || !source) return false;
    size_t length = strnlen(source->name, sizeof source->name - 1);
    std::memcpy(destination->name, source->name, length);
    destination->name[length] = '\0';
    destination->type = source->type;
    destination->azimuth = source->azimuth;
    destination->elevation = source->elevation;
    destination->radius = source->radius;
    destination->reserved = source->reserved;
    std::memcpy(destination->future, source->future, sizeof destination->future);
    return true;
}

// The copy is made in an arrangement of its own and takes the place only when complete: a source that is
// the place's own arrangement is read before it is released, and a failed copy leaves the place as it was.
bool PluginEffectX::cloneArrangement(VstSpeakerArrangement** place, VstSpeakerArrangement* source) {
    VstSpeakerArrangement* clone = nullptr;
    if (!place || !source || !createArrangement(&clone, source->numChannels)) return false;
    clone->type = source->type;
    for (int32_t channel = 0; channel < clone->numChannels; ++channel)
        if (!copySpeakerProperties(&clone->speakers[channel], &source->speakers[channel])) {
            releaseArrangement(&clone);
            return false;
        }
    releaseArrangement(place);
    *place = clone;
    return true;
}

// ---- Requests to the host -------------------------------------------------------------------------

HostInt PluginEffectX::hostWantEvents(HostInt filter) { return askHost(audioMasterWantMidi, 0, filter); }

VstTimeInfo* PluginEffectX::hostTimeInfo(HostInt filter) {
    return reinterpret_cast<VstTimeInfo*>(askHost(audioMasterGetTime, 0, filter));
}

HostInt PluginEffectX::hostTempoAt(HostInt position) { return askHost(audioMasterTempoAt, 0, position); }
HostInt PluginEffectX::hostAutomatableCount() { return askHost(audioMasterGetNumAutomatableParameters); }
HostInt PluginEffectX::hostParameterQuantization() { return askHost(audioMasterGetParameterQuantization); }
bool PluginEffectX::hostIoChanged() { return askHost(audioMasterIOChanged) != 0; }
bool PluginEffectX::hostNeedIdle() { return askHost(audioMasterNeedIdle) != 0; }

bool PluginEffectX::hostResizeWindow(int32_t width, int32_t height) {
    return askHost(audioMasterSizeWindow, width, height) != 0;
}

float PluginEffectX::refreshSampleRate() {
    HostInt answer = askHost(audioMasterGetSampleRate);
    if (answer > 0) sampleRate.store(float(answer), std::memory_order_relaxed);
    return sampleRate.load(std::memory_order_relaxed);
}

int32_t PluginEffectX::refreshBlockSize() {
    HostInt answer = askHost(audioMasterGetBlockSize);
    if (answer > 0) blockSize.store(int32_t(answer), std::memory_order_relaxed);
    return blockSize.load(std::memory_order_relaxed);
}

HostInt PluginEffectX::hostInputLatency() { return askHost(audioMasterGetInputLatency); }
HostInt PluginEffectX::hostOutputLatency() { return askHost(audioMasterGetOutputLatency); }

AEffect* PluginEffectX::hostPreviousPlug(int32_t pin) {
    return reinterpret_cast<AEffect*>(askHost(audioMasterGetPreviousPlug, 0, pin));
}

AEffect* PluginEffectX::hostNextPlug(int32_t pin) {
    return reinterpret_cast<AEffect*>(askHost(audioMasterGetNextPlug, 0, pin));
}

HostInt PluginEffectX::hostReplaceOrAccumulate() { return askHost(audioMasterWillReplaceOrAccumulate); }
HostInt PluginEffectX::hostProcessLevel() { return askHost(audioMasterGetCurrentProcessLevel); }
HostInt PluginEffectX::hostAutomationState() { return askHost(audioMasterGetAutomationState); }

bool PluginEffectX::hostOfflineRead(VstOfflineTask* task, HostInt option, bool readSource) {
    return askHost(audioMasterOfflineRead, readSource ? 1 : 0, option, task) != 0;
}

bool PluginEffectX::hostOfflineWrite(VstOfflineTask* task, HostInt option) {
    return askHost(audioMasterOfflineWrite, 0, option, task) != 0;
}

bool PluginEffectX::hostOfflineStart(VstAudioFile* files, HostInt fileCount, int32_t newFileCount) {
    return askHost(audioMasterOfflineStart, newFileCount, fileCount, files) != 0;
}

bool PluginEffectX::hostOfflinePass() { return askHost(audioMasterOfflineGetCurrentPass) != 0; }
bool PluginEffectX::hostOfflineMetaPass() { return askHost(audioMasterOfflineGetCurrentMetaPass) != 0; }

void PluginEffectX::hostSetOutputSampleRate(float rate) {
    askHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, rate);
}

VstSpeakerArrangement* PluginEffectX::hostInputArrangement() {
    return reinterpret_cast<VstSpeakerArrangement*>(askHost(audioMasterGetInputSpeakerArrangement));
}

VstSpeakerArrangement* PluginEffectX::hostOutputArrangement() {
    return reinterpret_cast<VstSpeakerArrangement*>(askHost(audioMasterGetOutputSpeakerArrangement));
}

bool PluginEffectX::hostVendorText(char* text) {
    return askHost(audioMasterGetVendorString, 0, 0, text) != 0;
}
bool PluginEffectX::hostProductText(char* text) {
    return askHost(audioMasterGetProductString, 0, 0, text) != 0;
}
HostInt PluginEffectX::hostVendorVersion() { return askHost(audioMasterGetVendorVersion); }

HostInt PluginEffectX::hostVendorSpecific(int32_t index, HostInt value, void* pointer, float opt) {
    return askHost(audioMasterVendorSpecific, index, value, pointer, opt);
}

bool PluginEffectX::hostCanDo(char* text) { return askHost(audioMasterCanDo, 0, 0, text) != 0; }
HostInt PluginEffectX::hostLanguage() { return askHost(audioMasterGetLanguage); }

void* PluginEffectX::hostOpenWindow(VstWindow* window) {
    return reinterpret_cast<void*>(askHost(audioMasterOpenWindow, 0, 0, window));
}

bool PluginEffectX::hostCloseWindow(VstWindow* window) {
    return askHost(audioMasterCloseWindow, 0, 0, window) != 0;
}
void* PluginEffectX::hostDirectory() { return reinterpret_cast<void*>(askHost(audioMasterGetDirectory)); }
bool PluginEffectX::hostUpdateDisplay() { return askHost(audioMasterUpdateDisplay) != 0; }
bool PluginEffectX::hostBeginEdit(int32_t index) { return askHost(audioMasterBeginEdit, index) != 0; }
bool PluginEffectX::hostEndEdit(int32_t index) { return askHost(audioMasterEndEdit, index) != 0; }

bool PluginEffectX::hostOpenFileSelector(VstFileSelect* selector) {
    return selector && askHost(audioMasterOpenFileSelector, 0, 0, selector) != 0;
}

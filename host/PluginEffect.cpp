#include "host/PluginEffect.h"

#include "editor/EditorBase.h"
#include "host/HostFloat.h"
#include "host/NumberText.h"
#include "host/Opcodes.h"

#include <cmath>
#include <cstring>

namespace {

// The instance behind a record, or null when the host passes no record or one without an object.
PluginEffect* instanceOf(AEffect* effect) {
    return effect ? static_cast<PluginEffect*>(effect->object) : nullptr;
}

extern "C" HostInt dispatcherEntry(AEffect* effect, int32_t opcode, int32_t index, HostInt value,
                                   void* pointer, float opt) {
    PluginEffect* instance = instanceOf(effect);
    if (!instance) return 0;
    if (opcode != effClose) return instance->dispatch(opcode, index, value, pointer, opt);
    instance->dispatch(opcode, index, value, pointer, opt);
    delete instance;
    return 1;
}

extern "C" void processEntry(AEffect* effect, float** inputs, float** outputs, int32_t frames) {
    if (PluginEffect* instance = instanceOf(effect)) instance->processAdd(inputs, outputs, frames);
}

extern "C" void processReplacingEntry(AEffect* effect, float** inputs, float** outputs, int32_t frames) {
    if (PluginEffect* instance = instanceOf(effect)) instance->processReplace(inputs, outputs, frames);
}

extern "C" void setParameterEntry(AEffect* effect, int32_t index, float value) {
    if (PluginEffect* instance = instanceOf(effect)) instance->setParameterValue(index, value);
}

extern "C" float getParameterEntry(AEffect* effect, int32_t index) {
    PluginEffect* instance = instanceOf(effect);
    return instance ? instance->parameterValue(index) : 0.0f;
}

void writeEmpty(char* text) { text[0] = '\0'; }

} // namespace

PluginEffect::PluginEffect(HostCallback callback, int32_t programs, int32_t parameters)
    : hostCallback(callback), programCount(programs), parameterCount(parameters) {
    std::memset(&effect, 0, sizeof effect);
    effect.magic = kEffectMagic;
    effect.dispatcher = dispatcherEntry;
    effect.process = processEntry;
    effect.setParameter = setParameterEntry;
    effect.getParameter = getParameterEntry;
    effect.numPrograms = programs;
    effect.numParams = parameters;
    effect.numInputs = 1;
    effect.numOutputs = 2;
    effect.ioRatio = 1.0f;
    effect.object = this;
    effect.uniqueID = fourCharacterCode("NoEf");
    effect.version = 1;
    effect.processReplacing = processReplacingEntry;
}

PluginEffect::~PluginEffect() { delete editor; }

void PluginEffect::attachEditor(EditorBase* newEditor) {
    editor = newEditor;
    effect.flags |= effFlagsHasEditor;
}

void PluginEffect::setFlag(int32_t flag, bool state) {
    if (state)
        effect.flags |= flag;
    else
        effect.flags &= ~flag;
}

void PluginEffect::setParameterValue(int32_t, float) {}
float PluginEffect::parameterValue(int32_t) { return 0.0f; }

void PluginEffect::setParameterAndNotify(int32_t index, float value) {
    setParameterValue(index, value);
    askHost(audioMasterAutomate, index, 0, nullptr, value);
}

void PluginEffect::processReplace(float**, float**, int32_t) {}

void PluginEffect::renameProgram(char* text) { writeEmpty(text); }
void PluginEffect::currentProgramName(char* text) { writeEmpty(text); }
void PluginEffect::parameterLabel(int32_t, char* text) { writeEmpty(text); }
void PluginEffect::parameterDisplay(int32_t, char* text) { writeEmpty(text); }
void PluginEffect::parameterName(int32_t, char* text) { writeEmpty(text); }
int32_t PluginEffect::saveChunk(void**, bool) { return 0; }
int32_t PluginEffect::loadChunk(void*, int32_t, bool) { return 0; }

HostInt PluginEffect::dispatch(int32_t opcode, int32_t index, HostInt value, void* pointer, float opt) {
    if (!hasRequiredPointers(opcode, pointer, value != 0)) return 0;
    auto text = static_cast<char*>(pointer);
    switch (opcode) {
    case effOpen:
        onOpen();
        return 0;
    case effClose:
        // The panel goes while the instance is whole and the record still the host's: an edit that a
        // drag holds open ends towards the host now, and the drag's loop calls nothing after the close.
        dispatchEditor(effEditClose, nullptr);
        onClose();
        return 0;
    case effSetProgram:
        if (value < programCount) selectProgram(int32_t(value));
        return 0;
    case effGetProgram:
        return currentProgram();
    case effSetProgramName:
        renameProgram(text);
        return 0;
    case effGetProgramName:
        currentProgramName(text);
        return 0;
    case effGetParamLabel:
        parameterLabel(index, text);
        return 0;
    case effGetParamDisplay:
        parameterDisplay(index, text);
        return 0;
    case effGetParamName:
        parameterName(index, text);
        return 0;
    case effGetVu:
        return saturatedInt32(double(vuLevel()) * 32767.0);
    case effSetSampleRate:
        changeSampleRate(opt);
        return 0;
    case effSetBlockSize:
        changeBlockSize(int32_t(value));
        return 0;
    case effMainsChanged:
        if (value == 0)
            onSuspend();
        else
            onResume();
        return 0;
    case effEditGetRect:
    case effEditOpen:
    case effEditClose:
    case effEditIdle:
        return dispatchEditor(opcode, pointer);
    case effIdentify:
        return fourCharacterCode("NvEf");
    case effGetChunk:
        return saveChunk(static_cast<void**>(pointer), index != 0);
    case effSetChunk:
        return loadChunk(pointer, int32_t(value), index != 0);
    default:
        return 0;
    }
}

HostInt PluginEffect::dispatchEditor(int32_t opcode, void* pointer) {
    if (!editor) return 0;
    switch (opcode) {
    case effEditGetRect:
        return editor->getPanelRect(static_cast<ERect**>(pointer));
    case effEditOpen:
        return editor->openPanel(pointer);
    case effEditClose:
        editor->closePanel();
        return 0;
    default:
        editor->idle();
        return 0;
    }
}

HostInt PluginEffect::askHost(int32_t opcode, int32_t index, HostInt value, void* pointer, float opt) {
    return hostCallback ? hostCallback(&effect, opcode, index, value, pointer, opt) : 0;
}

HostInt PluginEffect::hostVersion() {
    HostInt answer = askHost(audioMasterVersion);
    return answer == 0 ? 1 : answer;
}

HostInt PluginEffect::hostCurrentId() { return askHost(audioMasterCurrentId); }
void PluginEffect::hostIdle() { askHost(audioMasterIdle); }
bool PluginEffect::isInputPinConnected(int32_t pin) { return askHost(audioMasterPinConnected, pin, 0) == 0; }
bool PluginEffect::isOutputPinConnected(int32_t pin) { return askHost(audioMasterPinConnected, pin, 1) == 0; }

void PluginEffect::decibelsToText(float gain, char* text) {
    if (gain <= 0.0f)
        std::strcpy(text, "-oo");
    else
        floatToText(float(20.0 * std::log10(double(gain))), text);
}

void PluginEffect::hertzToText(float samples, char* text) {
    floatToText(samples == 0.0f ? 0.0f : sampleRateValue() / samples, text);
}

void PluginEffect::millisecondsToText(float samples, char* text) {
    floatToText(float(double(samples) * 1000.0 / double(sampleRateValue())), text);
}

void PluginEffect::floatToText(float value, char* text) { writeFloatText(value, text); }
void PluginEffect::integerToText(int32_t value, char* text) { writeIntegerText(value, text); }

// Every opcode a host can send reaches the right operation with the right arguments, and the host gets
// back the right kind of result.

#include "host/Opcodes.h"
#include "tests/host/RecordingEffect.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <utility>

namespace {

enum class Result { Integer, Bool, One, Zero, InvertedBool };

struct Row {
    int32_t opcode;
    int32_t index;
    HostInt value;
    bool textPointer;
    float opt;
    const char* expectedCall; // "" when no operation may be reached
    Result result;
};

const HostInt V = reinterpret_cast<HostInt>(kValuePointer);
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

const Row kRows[] = {
    {effOpen, 0, 0, false, 0, "onOpen()", Result::Zero},
    {effClose, 0, 0, false, 0, "onClose()", Result::Zero},
    {effSetProgram, 0, 3, false, 0, "selectProgram(3)", Result::Zero},
    {effSetProgram, 0, -1, false, 0, "selectProgram(-1)", Result::Zero},
    {effSetProgram, 0, 7, false, 0, "", Result::Zero},
    {effGetProgram, 0, 0, false, 0, "currentProgram()", Result::Integer},
    {effSetProgramName, 0, 0, true, 0, "renameProgram(P)", Result::Zero},
    {effGetProgramName, 0, 0, true, 0, "currentProgramName(P)", Result::Zero},
    {effGetParamLabel, 2, 0, true, 0, "parameterLabel(2,P)", Result::Zero},
    {effGetParamDisplay, 3, 0, true, 0, "parameterDisplay(3,P)", Result::Zero},
    {effGetParamName, 1, 0, true, 0, "parameterName(1,P)", Result::Zero},
    {effSetSampleRate, 0, 0, false, 48000, "changeSampleRate(48000)", Result::Zero},
    {effSetBlockSize, 0, 512, false, 0, "changeBlockSize(512)", Result::Zero},
    {effMainsChanged, 0, 5, false, 0, "onResume()", Result::Zero},
    {effMainsChanged, 0, 0, false, 0, "onSuspend()", Result::Zero},
    {effEditGetRect, 0, 0, true, 0, "getPanelRect(P)", Result::Integer},
    {effEditOpen, 0, 0, true, 0, "openPanel(P)", Result::Integer},
    {effEditClose, 0, 0, false, 0, "closePanel()", Result::Zero},
    {effEditDraw, 1, 2, true, 3, "", Result::Zero},
    {effEditMouse, 1, 2, true, 3, "", Result::Zero},
    {effEditKey, 1, 2, true, 3, "", Result::Zero},
    {effEditIdle, 0, 0, false, 0, "idle()", Result::Zero},
    {effEditTop, 1, 2, true, 3, "", Result::Zero},
    {effEditSleep, 1, 2, true, 3, "", Result::Zero},
    {effGetChunk, 1, 0, true, 0, "saveChunk(P,true)", Result::Integer},
    {effGetChunk, 0, 0, true, 0, "saveChunk(P,false)", Result::Integer},
    {effSetChunk, 0, 99, true, 0, "loadChunk(P,99,false)", Result::Integer},
    {effSetChunk, 2, 99, true, 0, "loadChunk(P,99,true)", Result::Integer},
    {effProcessEvents, 0, 0, true, 0, "receiveEvents(P)", Result::Integer},
    {effCanBeAutomated, 3, 0, false, 0, "isParameterAutomatable(3)", Result::Bool},
    {effString2Parameter, 2, 0, true, 0, "parameterFromText(2,P)", Result::Bool},
    {effGetNumProgramCategories, 0, 0, false, 0, "programCategoryCount()", Result::Integer},
    {effGetProgramNameIndexed, 4, 2, true, 0, "indexedProgramName(2,4,P)", Result::Bool},
    {effCopyProgram, 5, 0, false, 0, "duplicateProgram(5)", Result::Bool},
    {effConnectInput, 1, 3, false, 0, "onInputConnected(1,true)", Result::One},
    {effConnectOutput, 1, 0, false, 0, "onOutputConnected(1,false)", Result::One},
    {effGetInputProperties, 1, 0, true, 0, "inputPinProperties(1,P)", Result::Bool},
    {effGetOutputProperties, 0, 0, true, 0, "outputPinProperties(0,P)", Result::Bool},
    {effGetPlugCategory, 0, 0, false, 0, "pluginCategory()", Result::Integer},
    {effGetCurrentPosition, 0, 0, false, 0, "currentPosition()", Result::Integer},
    {effGetDestinationBuffer, 0, 0, false, 0, "destinationBuffer()", Result::Integer},
    {effOfflineNotify, 1, 3, true, 0, "onOfflineNotify(P,3,true)", Result::Bool},
    {effOfflineNotify, 0, 3, true, 0, "onOfflineNotify(P,3,false)", Result::Bool},
    {effOfflinePrepare, 0, 3, true, 0, "onOfflinePrepare(P,3)", Result::Bool},
    {effOfflineRun, 0, 4, true, 0, "onOfflineRun(P,4)", Result::Bool},
    {effProcessVarIo, 0, 0, true, 0, "processVarIoBlock(P)", Result::Bool},
    {effSetSpeakerArrangement, 0, V, true, 0, "acceptSpeakerArrangement(V,P)", Result::Bool},
    {effSetBlockSizeAndSampleRate, 0, 256, false, 96000, "changeBlockSizeAndSampleRate(256,96000)",
     Result::One},
    {effSetBypass, 0, 2, false, 0, "applyBypass(true)", Result::Bool},
    {effGetEffectName, 0, 0, true, 0, "effectNameText(P)", Result::Bool},
    {effGetErrorText, 0, 0, true, 0, "errorText(P)", Result::Bool},
    {effGetVendorString, 0, 0, true, 0, "vendorText(P)", Result::Bool},
    {effGetProductString, 0, 0, true, 0, "productText(P)", Result::Bool},
    {effGetVendorVersion, 0, 0, false, 0, "vendorVersionNumber()", Result::Integer},
    {effVendorSpecific, 1, 2, true, 0.5f, "vendorSpecificRequest(1,2,P,0.5)", Result::Integer},
    {effCanDo, 0, 0, true, 0, "canDoAnswer(P)", Result::Integer},
    {effGetTailSize, 0, 0, false, 0, "tailSize()", Result::Integer},
    {effIdle, 0, 0, false, 0, "idleTick()", Result::Integer},
    {effGetIcon, 0, 0, false, 0, "iconData()", Result::Integer},
    {effSetViewPosition, 10, 20, false, 0, "placeView(10,20)", Result::Bool},
    {effGetParameterProperties, 1, 0, true, 0, "parameterProperties(1,P)", Result::Bool},
    {effKeysRequired, 0, 0, false, 0, "needsKeys()", Result::InvertedBool},
    {effGetVstVersion, 0, 0, false, 0, "interfaceVersion()", Result::Integer},
    {effEditKeyDown, 65, 0x1FF, false, 2.9f, "keyDown(65,255,2)", Result::Integer},
    {effEditKeyUp, 66, 0x25, false, 1.0f, "keyUp(66,37,1)", Result::Integer},
    // A modifier that is no 32-bit integer is none; one that is gives its low 8 bits.
    {effEditKeyDown, 65, 0x41, false, kNaN, "keyDown(65,65,0)", Result::Integer},
    {effEditKeyDown, 65, 0x41, false, kInfinity, "keyDown(65,65,0)", Result::Integer},
    {effEditKeyUp, 65, 0x41, false, -kInfinity, "keyUp(65,65,0)", Result::Integer},
    {effEditKeyDown, 65, 0x41, false, 3e9f, "keyDown(65,65,0)", Result::Integer},
    {effEditKeyUp, 65, 0x41, false, -3e9f, "keyUp(65,65,0)", Result::Integer},
    {effEditKeyDown, 65, 0x41, false, 2147483520.0f, "keyDown(65,65,128)", Result::Integer},
    {effEditKeyUp, 65, 0x41, false, -1.0f, "keyUp(65,65,255)", Result::Integer},
    {effSetEditKnobMode, 0, 2, false, 0, "selectKnobMode(2)", Result::Integer},
    {effGetMidiProgramName, 3, 0, true, 0, "midiProgramName(3,P)", Result::Integer},
    {effGetCurrentMidiProgram, 3, 0, true, 0, "currentMidiProgram(3,P)", Result::Integer},
    {effGetMidiProgramCategory, 3, 0, true, 0, "midiProgramCategory(3,P)", Result::Integer},
    {effHasMidiProgramsChanged, 3, 0, false, 0, "midiProgramsChanged(3)", Result::Bool},
    {effGetMidiKeyName, 3, 0, true, 0, "midiKeyName(3,P)", Result::Bool},
    {effBeginSetProgram, 0, 0, false, 0, "onBeginSetProgram()", Result::Bool},
    {effEndSetProgram, 0, 0, false, 0, "onEndSetProgram()", Result::Bool},
    {effGetSpeakerArrangement, 0, V, true, 0, "reportSpeakerArrangement(V,P)", Result::Bool},
    {effShellGetNextPlugin, 0, 0, true, 0, "nextShellPlugin(P)", Result::Integer},
    {effStartProcess, 0, 0, false, 0, "onStartProcess()", Result::Integer},
    {effStopProcess, 0, 0, false, 0, "onStopProcess()", Result::Integer},
    {effSetTotalSampleToProcess, 0, 4096, false, 0, "totalSamplesToProcess(4096)", Result::Integer},
    {effSetPanLaw, 0, 1, false, 0.5f, "applyPanLaw(1,0.5)", Result::Bool},
    {effBeginLoadBank, 0, 0, true, 0, "onBeginLoadBank(P)", Result::Integer},
    {effBeginLoadProgram, 0, 0, true, 0, "onBeginLoadProgram(P)", Result::Integer},
    {77, 1, 2, true, 3, "", Result::Zero},
    {-1, 1, 2, true, 3, "", Result::Zero},
    {1000, 1, 2, true, 3, "", Result::Zero},
};

HostInt expectedResult(Result kind, HostInt answer) {
    switch (kind) {
    case Result::Integer:
        return answer;
    case Result::Bool:
        return answer != 0 ? 1 : 0;
    case Result::One:
        return 1;
    case Result::InvertedBool:
        return answer != 0 ? 0 : 1;
    default:
        return 0;
    }
}

// The opcode answers 0 and reaches no operation.
void expectIgnored(RecordingEffect& effect, int32_t opcode, int32_t index, HostInt value, void* pointer,
                   float opt) {
    effect.log.clear();
    EXPECT_EQ(effect.dispatch(opcode, index, value, pointer, opt), 0) << "opcode " << opcode;
    EXPECT_EQ(effect.log, "") << "opcode " << opcode;
}

class Dispatcher : public ::testing::Test {
protected:
    Dispatcher() { effect.attachEditor(new RecordingEditor(effect)); }
    RecordingEffect effect;
};

TEST_F(Dispatcher, EveryOpcodeReachesItsOperationWithItsArguments) {
    for (const Row& row : kRows) {
        for (HostInt answer : {HostInt(0), HostInt(1), HostInt(7), HostInt(-1)}) {
            effect.log.clear();
            effect.answer = answer;
            HostInt result = effect.dispatch(row.opcode, row.index, row.value,
                                             row.textPointer ? kTextPointer : nullptr, row.opt);
            SCOPED_TRACE("opcode " + std::to_string(row.opcode) + ", answer " + std::to_string(answer));
            EXPECT_EQ(effect.log, row.expectedCall);
            EXPECT_EQ(result, expectedResult(row.result, answer));
        }
    }
}

TEST_F(Dispatcher, TableCoversEveryOpcodeFromZeroTo76) {
    std::set<int32_t> covered;
    for (const Row& row : kRows)
        covered.insert(row.opcode);
    for (int32_t opcode = 0; opcode <= 76; ++opcode) {
        if (opcode == effGetVu || opcode == effIdentify) continue; // tested on their own below
        EXPECT_TRUE(covered.count(opcode)) << "opcode " << opcode;
    }
}

// The level is scaled to 32767 and truncated; scaled levels beyond the host's integer range answer its
// nearer end, and NaN answers 0.
TEST(DispatcherVu, LevelIsScaledTruncatedAndSaturated) {
    struct LevelEffect : RecordingEffect {
        float level = 0.0f;
        float vuLevel() override { return level; }
    } effect;
    const int32_t top = std::numeric_limits<int32_t>::max(), bottom = std::numeric_limits<int32_t>::min();
    for (const auto& [level, answer] : {std::pair<float, HostInt>{kNaN, 0},
                                        {kInfinity, top},
                                        {-kInfinity, bottom},
                                        {1e30f, top},
                                        {-1e30f, bottom},
                                        {65538.0f, 2147483646},
                                        {65540.0f, top},
                                        {-65540.0f, bottom},
                                        {1.0f, 32767},
                                        {0.5f, 16383},
                                        {-0.5f, -16383}}) {
        effect.level = level;
        EXPECT_EQ(effect.dispatch(effGetVu, 0, 0, nullptr, 0), answer) << "level " << level;
    }
}

TEST_F(Dispatcher, IdentifyAnswersItsCodeWhateverTheArguments) {
    EXPECT_EQ(effect.dispatch(effIdentify, 0, 0, nullptr, 0), 0x4E764566);
    EXPECT_EQ(effect.dispatch(effIdentify, 9, -3, kTextPointer, 1.5f), 0x4E764566);
}

TEST(DispatcherWithoutEditor, EditorOpcodesAnswerZeroAndDoNothing) {
    RecordingEffect effect;
    effect.answer = 7;
    for (int32_t opcode : {effEditGetRect, effEditOpen, effEditClose, effEditIdle, effEditKeyDown,
                           effEditKeyUp, effSetEditKnobMode})
        expectIgnored(effect, opcode, 1, 1, kTextPointer, 1);
}

TEST_F(Dispatcher, NullHostTextsAndRecordsAreNeverHandedOn) {
    effect.answer = 7;
    for (int32_t opcode :
         {effSetProgramName, effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName,
          effEditGetRect, effString2Parameter, effGetProgramNameIndexed, effGetEffectName, effGetErrorText,
          effGetVendorString, effGetProductString, effCanDo, effShellGetNextPlugin, effSetSpeakerArrangement,
          effGetSpeakerArrangement})
        expectIgnored(effect, opcode, 1, V, nullptr, 0);
    for (int32_t opcode : {effSetSpeakerArrangement, effGetSpeakerArrangement})
        expectIgnored(effect, opcode, 0, 0, kTextPointer, 0);
}

} // namespace

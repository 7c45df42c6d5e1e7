// The record a fresh effect hands the host, its entries, the flag setters, the declining defaults and
// the speaker-arrangement operations.

#include "host/Opcodes.h"
#include "tests/host/RecordingEffect.h"
#include "tests/support/IdleEffect.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(EffectRecord, FreshEffectDeclaresTheBaseDefaults) {
    IdleEffect plain(nullptr, 3, 5);
    const AEffect& record = *plain.effectRecord();
    EXPECT_EQ(record.magic, 0x56737450);
    EXPECT_EQ(record.numPrograms, 3);
    EXPECT_EQ(record.numParams, 5);
    EXPECT_EQ(record.numInputs, 1);
    EXPECT_EQ(record.numOutputs, 2);
    EXPECT_EQ(record.flags, 0);
    EXPECT_EQ(record.uniqueID, 0x4E6F4566);
    EXPECT_EQ(record.version, 1);
    EXPECT_EQ(record.ioRatio, 1.0f);
    EXPECT_EQ(record.object, &plain);
    EXPECT_EQ(record.user, nullptr);
    EXPECT_EQ(record.initialDelay, 0);
    for (char byte : record.future)
        EXPECT_EQ(byte, 0);
    EXPECT_EQ(plain.sampleRateValue(), 44100.0f);
    EXPECT_EQ(plain.blockSizeValue(), 1024);
    EXPECT_EQ(plain.currentProgram(), 0);
}

TEST(EffectRecord, FlagSettersSetAndClearOnlyTheirOwnBit) {
    IdleEffect plain(nullptr, 1, 1);
    struct Setter {
        void (PluginEffectX::*declare)(bool);
        int32_t bit;
    };
    const Setter setters[] = {
        {&PluginEffectX::declareClip, 0x002},           {&PluginEffectX::declareVu, 0x004},
        {&PluginEffectX::declareMono, 0x008},           {&PluginEffectX::declareReplacing, 0x010},
        {&PluginEffectX::declareChunkPrograms, 0x020},  {&PluginEffectX::declareSynth, 0x100},
        {&PluginEffectX::declareNoTail, 0x200},         {&PluginEffectX::declareAsync, 0x400},
        {&PluginEffectX::declareExternalBuffer, 0x800},
    };
    int32_t expected = 0;
    for (const Setter& setter : setters) {
        (plain.*setter.declare)(true);
        expected |= setter.bit;
        EXPECT_EQ(plain.effectRecord()->flags, expected) << "bit " << setter.bit;
    }
    for (const Setter& setter : setters) {
        (plain.*setter.declare)(false);
        expected &= ~setter.bit;
        EXPECT_EQ(plain.effectRecord()->flags, expected) << "bit " << setter.bit;
    }
}

TEST(EffectRecord, AttachingAnEditorSetsTheEditorFlag) {
    RecordingEffect effect;
    auto* editor = new RecordingEditor(effect);
    effect.attachEditor(editor);
    EXPECT_EQ(effect.effectRecord()->flags & effFlagsHasEditor, effFlagsHasEditor);
    EXPECT_EQ(effect.editorObject(), editor);
}

class ClosingEffect : public IdleEffect {
public:
    ClosingEffect(std::string& journal) : IdleEffect(nullptr, 1, 1), events(journal) {}
    ~ClosingEffect() override { events += "destroyed;"; }
    void onClose() override { events += "onClose;"; }
    std::string& events;
};

TEST(EffectEntries, CloseRunsOnCloseThenDeletesTheInstanceAndAnswersOne) {
    std::string journal;
    auto* effect = new ClosingEffect(journal);
    AEffect* record = effect->effectRecord();
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0), 1);
    EXPECT_EQ(journal, "onClose;destroyed;");
}

class EntryEffect : public PluginEffectX {
public:
    static inline float* kIn[2];
    static inline float* kOut[2];

    EntryEffect() : PluginEffectX(nullptr, 1, 4) {}
    std::string log;
    void processAdd(float** in, float** out, int32_t frames) override {
        log = note("processAdd", in, out, frames);
    }
    void processReplace(float** in, float** out, int32_t frames) override {
        log = note("processReplace", in, out, frames);
    }
    void setParameterValue(int32_t index, float value) override {
        log = "set(" + std::to_string(index) + "," + std::to_string(value) + ")";
    }
    float parameterValue(int32_t index) override { return float(index) * 0.25f; }
    HostInt dispatch(int32_t opcode, int32_t index, HostInt value, void*, float) override {
        return opcode * 100 + index * 10 + value;
    }

private:
    static std::string note(const char* name, float** in, float** out, int32_t frames) {
        return std::string(name) + (in == kIn ? "(in," : "(?,") + (out == kOut ? "out," : "?,") +
               std::to_string(frames) + ")";
    }
};

TEST(EffectEntries, EachEntryMakesOneVirtualCallWithItsArguments) {
    EntryEffect effect;
    AEffect* record = effect.effectRecord();
    record->process(record, EntryEffect::kIn, EntryEffect::kOut, 64);
    EXPECT_EQ(effect.log, "processAdd(in,out,64)");
    record->processReplacing(record, EntryEffect::kIn, EntryEffect::kOut, 32);
    EXPECT_EQ(effect.log, "processReplace(in,out,32)");
    record->setParameter(record, 2, 0.5f);
    EXPECT_EQ(effect.log, "set(2,0.500000)");
    EXPECT_EQ(record->getParameter(record, 3), 0.75f);
    EXPECT_EQ(record->dispatcher(record, 5, 2, 3, nullptr, 0), 523);
}

// A host that passes no record, or a record whose object is gone, reaches no instance and gets 0.
TEST(EffectEntries, ARecordWithoutAnObjectReachesNothing) {
    EntryEffect effect;
    AEffect orphan = *effect.effectRecord();
    orphan.object = nullptr;
    for (AEffect* record : {&orphan, static_cast<AEffect*>(nullptr)}) {
        effect.log.clear();
        orphan.process(record, EntryEffect::kIn, EntryEffect::kOut, 64);
        orphan.processReplacing(record, EntryEffect::kIn, EntryEffect::kOut, 32);
        orphan.setParameter(record, 2, 0.5f);
        EXPECT_EQ(effect.log, "");
        EXPECT_EQ(orphan.getParameter(record, 3), 0.0f);
        EXPECT_EQ(orphan.dispatcher(record, 5, 2, 3, nullptr, 0), 0);
        EXPECT_EQ(orphan.dispatcher(record, effClose, 0, 0, nullptr, 0), 0);
    }
}

TEST(DecliningDefaults, ExtendedOpcodesOfAPlainEffect) {
    IdleEffect plain(nullptr, 1, 1);
    EXPECT_EQ(plain.dispatch(effKeysRequired, 0, 0, nullptr, 0), 1);
    EXPECT_EQ(plain.dispatch(effGetVstVersion, 0, 0, nullptr, 0), 2300);
    EXPECT_EQ(plain.dispatch(effCanBeAutomated, 99, 0, nullptr, 0), 1);
    EXPECT_EQ(plain.dispatch(effGetCurrentMidiProgram, 0, 0, nullptr, 0), -1);
    EXPECT_EQ(plain.dispatch(effGetNumProgramCategories, 0, 0, nullptr, 0), 1);
    EXPECT_EQ(plain.dispatch(effSetTotalSampleToProcess, 0, 4096, nullptr, 0), 4096);
    EXPECT_EQ(plain.dispatch(effGetPlugCategory, 0, 0, nullptr, 0), 0);
    plain.declareSynth(true);
    EXPECT_EQ(plain.dispatch(effGetPlugCategory, 0, 0, nullptr, 0), 2);
    EXPECT_EQ(plain.dispatch(effGetVu, 0, 0, nullptr, 0), 0);
    EXPECT_EQ(plain.dispatch(effCanDo, 0, 0, kTextPointer, 0), 0);
}

TEST(DecliningDefaults, StreamSettingsAreStoredAndReadBack) {
    IdleEffect plain(nullptr, 1, 1);
    EXPECT_EQ(plain.dispatch(effSetBlockSizeAndSampleRate, 0, 256, nullptr, 96000.0f), 1);
    EXPECT_EQ(plain.blockSizeValue(), 256);
    EXPECT_EQ(plain.sampleRateValue(), 96000.0f);
    plain.dispatch(effSetSampleRate, 0, 0, nullptr, 22050.0f);
    plain.dispatch(effSetBlockSize, 0, 64, nullptr, 0);
    EXPECT_EQ(plain.sampleRateValue(), 22050.0f);
    EXPECT_EQ(plain.blockSizeValue(), 64);
}

TEST(DecliningDefaults, ProgramsAndTextsOfThePlainBase) {
    IdleEffect plain(nullptr, 4, 1);
    plain.dispatch(effSetProgram, 0, 3, nullptr, 0);
    EXPECT_EQ(plain.dispatch(effGetProgram, 0, 0, nullptr, 0), 3);
    plain.dispatch(effSetProgram, 0, 4, nullptr, 0);
    EXPECT_EQ(plain.dispatch(effGetProgram, 0, 0, nullptr, 0), 3);
    for (int32_t opcode :
         {effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName, effSetProgramName}) {
        char text[8] = "xyz";
        plain.dispatch(opcode, 0, 0, text, 0);
        EXPECT_STREQ(text, "") << "opcode " << opcode;
    }
}

TEST(DecliningDefaults, SpeakerArrangementReportLeavesNullInBothPlaces) {
    IdleEffect plain(nullptr, 1, 1);
    VstSpeakerArrangement dummy{};
    VstSpeakerArrangement* input = &dummy;
    VstSpeakerArrangement* output = &dummy;
    EXPECT_EQ(plain.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<HostInt>(&input), &output, 0), 0);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);
}

class Arrangements : public ::testing::Test {
protected:
    ~Arrangements() override {
        plain.releaseArrangement(&first);
        plain.releaseArrangement(&second);
    }
    IdleEffect plain{nullptr, 1, 1};
    VstSpeakerArrangement* first = nullptr;
    VstSpeakerArrangement* second = nullptr;
};

TEST_F(Arrangements, CreateGivesAZeroedArrangementOfTheChannelCountAndReleaseClearsThePlace) {
    ASSERT_TRUE(plain.createArrangement(&first, 3));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->numChannels, 3);
    EXPECT_EQ(first->type, 0);
    for (int channel = 0; channel < 3; ++channel)
        EXPECT_EQ(first->speakers[channel].name[0], 0);
    ASSERT_TRUE(plain.createArrangement(&first, 0)); // replaces, freeing the old one
    EXPECT_EQ(first->numChannels, 0);
    EXPECT_TRUE(plain.releaseArrangement(&first));
    EXPECT_EQ(first, nullptr);
    EXPECT_TRUE(plain.releaseArrangement(&first)) << "releasing an empty place";
}

TEST_F(Arrangements, ImpossibleChannelCountsAllocateNothing) {
    EXPECT_FALSE(plain.createArrangement(&first, -1));
    EXPECT_EQ(first, nullptr);
    EXPECT_FALSE(plain.createArrangement(&first, 0x7FFFFFFF));
    EXPECT_EQ(first, nullptr);
    EXPECT_FALSE(plain.createArrangement(nullptr, 2));
}

TEST_F(Arrangements, CopySpeakerPropertiesCopiesEveryFieldAndEndsAnUnterminatedName) {
    VstSpeakerProperties source{};
    source.azimuth = 0.5f;
    source.elevation = -0.25f;
    source.radius = 2.0f;
    source.reserved = 3.0f;
    std::strcpy(source.name, "Left");
    source.type = 7;
    source.future[27] = 9;
    VstSpeakerProperties destination{};
    EXPECT_TRUE(plain.copySpeakerProperties(&destination, &source));
    EXPECT_EQ(std::memcmp(&destination, &source, sizeof source), 0);
    EXPECT_FALSE(plain.copySpeakerProperties(nullptr, &source));
    EXPECT_FALSE(plain.copySpeakerProperties(&destination, nullptr));
    std::memset(source.name, 'x', sizeof source.name);
    EXPECT_TRUE(plain.copySpeakerProperties(&destination, &source));
    EXPECT_EQ(std::strlen(destination.name), sizeof destination.name - 1) << "an unterminated name";
}

TEST_F(Arrangements, CloneMakesAnEqualArrangementAlsoOfItsOwnSource) {
    ASSERT_TRUE(plain.createArrangement(&first, 2));
    first->type = 1;
    std::strcpy(first->speakers[0].name, "L");
    std::strcpy(first->speakers[1].name, "R");
    first->speakers[1].azimuth = 0.5f;
    ASSERT_TRUE(plain.createArrangement(&second, 5));
    ASSERT_TRUE(plain.cloneArrangement(&second, first));
    EXPECT_EQ(second->numChannels, 2);
    EXPECT_EQ(second->type, 1);
    EXPECT_EQ(std::memcmp(second, first, size_t(arrangementBytes(2))), 0);
    EXPECT_FALSE(plain.cloneArrangement(&second, nullptr));
    EXPECT_FALSE(plain.cloneArrangement(nullptr, first));
    // A host may pass the place's own arrangement as the source: it is read before it is released.
    ASSERT_TRUE(plain.cloneArrangement(&first, first));
    EXPECT_EQ(std::memcmp(first, second, size_t(arrangementBytes(2))), 0) << "cloned onto its own source";
}

} // namespace

// What a host reads about the plug-in through the real library and its record.

#include "host/Opcodes.h"
#include "tests/support/TestHost.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class Identity : public ::testing::Test {
protected:
    void SetUp() override {
        plugin = loadPlugin(host);
        ASSERT_NE(plugin->effect(), nullptr) << plugin->error();
    }
    RecordingHost host;
    std::unique_ptr<LoadedPlugin> plugin;
};

TEST_F(Identity, RecordDeclaresTheCompressor) {
    const AEffect& effect = *plugin->effect();
    EXPECT_EQ(effect.magic, 0x56737450);
    EXPECT_EQ(effect.numPrograms, 7);
    EXPECT_EQ(effect.numParams, 4);
    EXPECT_EQ(effect.numInputs, 2);
    EXPECT_EQ(effect.numOutputs, 2);
    EXPECT_EQ(effect.flags, effFlagsHasEditor | effFlagsCanMono | effFlagsCanReplacing);
    EXPECT_EQ(effect.uniqueID, ('Q' << 24) | ('v' << 16) | ('C' << 8) | 'm');
    EXPECT_EQ(effect.version, 1);
    EXPECT_EQ(effect.ioRatio, 1.0f);
    EXPECT_EQ(plugin->dispatch(effGetProgram), 0);
}

// Read as raw bytes at the offsets a host of this build's width uses, not through the record type.
TEST_F(Identity, RecordSitsAtTheOffsetsHostsOfThisWidthRead) {
    const bool wide = sizeof(void*) == 8;
    const auto* bytes = reinterpret_cast<const unsigned char*>(plugin->effect());
    auto int32At = [&](size_t offset) {
        int32_t v;
        std::memcpy(&v, bytes + offset, sizeof v);
        return v;
    };
    auto pointerAt = [&](size_t offset) {
        void* p;
        std::memcpy(&p, bytes + offset, sizeof p);
        return p;
    };
    EXPECT_EQ(int32At(0), 0x56737450);
    EXPECT_NE(pointerAt(wide ? 8 : 4), nullptr) << "dispatcher";
    EXPECT_NE(pointerAt(wide ? 16 : 8), nullptr) << "process";
    EXPECT_NE(pointerAt(wide ? 32 : 16), nullptr) << "getParameter";
    EXPECT_EQ(int32At(wide ? 40 : 20), 7) << "numPrograms";
    EXPECT_EQ(int32At(wide ? 44 : 24), 4) << "numParams";
    EXPECT_EQ(int32At(wide ? 52 : 32), 2) << "numOutputs";
    EXPECT_EQ(int32At(wide ? 56 : 36), plugin->effect()->flags) << "flags";
    float ioRatio;
    std::memcpy(&ioRatio, bytes + (wide ? 92 : 60), sizeof ioRatio);
    EXPECT_EQ(ioRatio, 1.0f);
    EXPECT_NE(pointerAt(wide ? 96 : 64), nullptr) << "object";
    EXPECT_EQ(int32At(wide ? 112 : 72), ('Q' << 24) | ('v' << 16) | ('C' << 8) | 'm') << "uniqueID";
    EXPECT_EQ(int32At(wide ? 116 : 76), 1) << "version";
    EXPECT_NE(pointerAt(wide ? 120 : 80), nullptr) << "processReplacing";
}

TEST_F(Identity, NamesVersionAndCategory) {
    EXPECT_EQ(plugin->text(effGetEffectName), "Quenvale Compressor");
    EXPECT_EQ(plugin->text(effGetProductString), "Quenvale Compressor");
    EXPECT_EQ(plugin->text(effGetVendorString), "Harrowmere");
    char name[32];
    EXPECT_EQ(plugin->dispatch(effGetEffectName, 0, 0, name), 1);
    EXPECT_EQ(plugin->dispatch(effGetVendorVersion), 2000);
    EXPECT_EQ(plugin->dispatch(effGetPlugCategory), 1);
    EXPECT_EQ(plugin->dispatch(effGetVstVersion), 2300);
}

TEST_F(Identity, CanDoAnswersOneForItsOwnCapabilitiesAndMinusOneOtherwise) {
    const struct {
        const char* text;
        HostInt answer;
    } cases[] = {
        {"plugAsChannelInsert", 1}, {"plugAsSend", 1}, {"mixDryWet", 1}, {"2in2out", 1}, {"2IN2OUT", -1},
        {"receiveVstEvents", -1},   {"", -1},          {"2in2out ", -1}};
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(plugin->dispatch(effCanDo, 0, 0, text.data()), c.answer) << '"' << c.text << '"';
    }
    EXPECT_EQ(plugin->dispatch(effCanDo, 0, 0, nullptr), 0);
}

TEST_F(Identity, NullTextPointersAreAnsweredWithZero) {
    for (int32_t opcode :
         {effGetEffectName, effGetVendorString, effGetProductString, effGetProgramName, effGetParamName,
          effGetParamLabel, effGetParamDisplay, effSetProgramName, effGetProgramNameIndexed, effEditGetRect})
        EXPECT_EQ(plugin->dispatch(opcode, 0, 0, nullptr), 0) << "opcode " << opcode;
}

TEST_F(Identity, CloseAnswersOne) { EXPECT_EQ(plugin->close(), 1); }

TEST(Entry, HostThatAnswersZeroToTheVersionGetsNothing) {
    RecordingHost host;
    host.answers[audioMasterVersion] = 0;
    auto plugin = loadPlugin(host);
    EXPECT_EQ(plugin->effect(), nullptr);
    ASSERT_EQ(host.requests.size(), 1u);
    EXPECT_EQ(host.requests[0].opcode, audioMasterVersion);
    EXPECT_EQ(host.requests[0].effect, nullptr);
}

TEST(Entry, InstancesAreIndependent) {
    RecordingHost host;
    auto first = loadPlugin(host);
    auto second = loadPlugin(host);
    ASSERT_NE(first->effect(), nullptr);
    ASSERT_NE(second->effect(), nullptr);
    EXPECT_NE(first->effect(), second->effect());
    EXPECT_EQ(first->close(), 1);
    EXPECT_EQ(second->text(effGetVendorString), "Harrowmere");
}

} // namespace

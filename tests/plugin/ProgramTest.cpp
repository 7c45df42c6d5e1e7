// The seven programs: names, selection re-applying the four values, edits written through into the
// current program, and renaming.

#include "host/Opcodes.h"
#include "tests/plugin/OpenCompressor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const char* const kNames[] = {"Basic Compressor",    "Att: .2ms - Rel: 300ms", "Att: .2ms - Rel: 800ms",
                              "Att: .4ms - Rel: 2s", "Att: .8ms - Rel: 5s",    "Att: .2ms - Rel: 2s",
                              "Att: .2ms - Rel: 10s"};

std::string indexedName(OpenCompressor& compressor, int32_t index, HostInt* answer = nullptr) {
    char text[64] = "untouched";
    const HostInt result = compressor.dispatch(effGetProgramNameIndexed, index, 0, text, 0.0f);
    if (answer) *answer = result;
    return text;
}

std::string currentName(OpenCompressor& compressor) {
    char text[64] = {};
    compressor.dispatch(effGetProgramName, 0, 0, text, 0.0f);
    return text;
}

TEST(Programs, FreshInstanceListsTheSevenNames) {
    OpenCompressor compressor;
    EXPECT_EQ(compressor.dispatch(effGetProgram, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(currentName(compressor), kNames[0]);
    for (int32_t index = 0; index < 7; ++index) {
        HostInt answer = 0;
        EXPECT_EQ(indexedName(compressor, index, &answer), kNames[index]);
        EXPECT_EQ(answer, 1) << "program " << index;
    }
    for (int32_t index : {7, -1}) {
        HostInt answer = 1;
        EXPECT_EQ(indexedName(compressor, index, &answer), "untouched") << "program " << index;
        EXPECT_EQ(answer, 0) << "program " << index;
    }
}

TEST(Programs, SelectingAppliesTheFourValues) {
    const float timeConstants[] = {0.4f, 0.0f, 0.2f, 0.4f, 0.6f, 0.8f, 1.0f};
    const double releases[] = {2000, 300, 800, 2000, 5000, 2000, 10000};
    OpenCompressor compressor;
    compressor.setParameterValue(CompressorBase::kThreshold, 0.9f); // an edit of program 0
    for (int32_t program = 1; program < 7; ++program) {
        SCOPED_TRACE(::testing::Message() << "program " << program);
        compressor.dispatch(effSetProgram, 0, program, nullptr, 0.0f);
        EXPECT_EQ(compressor.currentProgram(), program);
        EXPECT_EQ(compressor.parameterValue(CompressorBase::kThreshold), 0.2f);
        EXPECT_EQ(compressor.parameterValue(CompressorBase::kAttack), 0.5f);
        EXPECT_EQ(compressor.parameterValue(CompressorBase::kTimeConstant), timeConstants[program]);
        EXPECT_EQ(compressor.parameterValue(CompressorBase::kGain), 0.5f);
        EXPECT_EQ(compressor.detector().releaseTime(), releases[program]);
        EXPECT_NEAR(compressor.detector().thresholdValue(), 0.480769f, 1e-6f);
    }
}

TEST(Programs, EditsAreWrittenThroughAndComeBackWithTheirProgram) {
    OpenCompressor compressor;
    compressor.selectProgram(1);
    compressor.setParameterValue(CompressorBase::kTimeConstant, 0.6f);
    compressor.setParameterValue(CompressorBase::kGain, 0.7f);
    compressor.selectProgram(2);
    EXPECT_EQ(compressor.parameterValue(CompressorBase::kTimeConstant), 0.2f);
    compressor.selectProgram(1);
    EXPECT_EQ(compressor.parameterValue(CompressorBase::kTimeConstant), 0.6f);
    EXPECT_EQ(compressor.parameterValue(CompressorBase::kGain), 0.7f);
    EXPECT_EQ(compressor.detector().attackTime(), double(0.8f));
    EXPECT_EQ(compressor.detector().releaseTime(), 5000.0);
}

TEST(Programs, OutOfRangeSelectionIsIgnored) {
    OpenCompressor compressor;
    compressor.selectProgram(3);
    for (int32_t index : {-1, 7, 100}) {
        compressor.selectProgram(index);
        EXPECT_EQ(compressor.currentProgram(), 3) << "index " << index;
    }
}

TEST(Programs, SwitchingKeepsTheRunningState) {
    OpenCompressor compressor;
    StereoSignal input(1000, 0.6f);
    processInBlocks(compressor, input, 500);
    const double envelope = compressor.envelope();
    const float hold = compressor.inputHold(0);
    compressor.selectProgram(4);
    EXPECT_EQ(compressor.envelope(), envelope);
    EXPECT_EQ(compressor.inputHold(0), hold);
}

TEST(ProgramNames, RenameReachesBothNameRequestsOfTheCurrentProgramOnly) {
    OpenCompressor compressor;
    compressor.selectProgram(2);
    char name[] = "Drums";
    compressor.dispatch(effSetProgramName, 0, 0, name, 0.0f);
    EXPECT_EQ(currentName(compressor), "Drums");
    EXPECT_EQ(indexedName(compressor, 2), "Drums");
    for (int32_t index : {0, 1, 3, 6})
        EXPECT_EQ(indexedName(compressor, index), kNames[index]);
}

TEST(ProgramNames, RenameKeepsAtMost31Characters) {
    struct Row {
        std::string given;
        std::string kept;
    };
    const std::string exact(31, 'x');
    const Row rows[] = {
        {"", ""}, {exact, exact}, {exact + "y", exact}, {std::string(200, 'z'), std::string(31, 'z')}};
    for (const Row& row : rows) {
        OpenCompressor compressor;
        std::string given = row.given;
        compressor.renameProgram(given.data());
        EXPECT_EQ(currentName(compressor), row.kept) << "renamed to " << row.given.size() << " characters";
        EXPECT_EQ(indexedName(compressor, 1), kNames[1]);
        EXPECT_EQ(compressor.parameterValue(CompressorBase::kThreshold), 0.2f);
    }
}

} // namespace

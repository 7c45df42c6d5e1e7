// The user's guide against the real library: every control name, host text, unit, program and preset
// time that the guide's tables state is what the plug-in tells a host.

#include "host/Opcodes.h"
#include "tests/support/MarkdownTable.h"
#include "tests/support/TestHost.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace {

// The build puts the guide next to the test programs.
std::string guideText() {
    std::ifstream file("UserGuide.md");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

float number(const std::string& text) { return std::strtof(text.c_str(), nullptr); }

// "0.2 ms", ".2ms", "2 s" and "10s" in milliseconds.
double milliseconds(const std::string& text) {
    char* unit = nullptr;
    const double value = std::strtod(text.c_str(), &unit);
    while (*unit == ' ')
        ++unit;
    return std::string(unit) == "s" ? value * 1000.0 : value;
}

std::string onlyCodeSpan(const std::string& cell) {
    const std::vector<std::string> spans = codeSpans(cell);
    return spans.size() == 1 ? spans[0] : "(not one code span: " + cell + ")";
}

class UserGuide : public ::testing::Test {
protected:
    void SetUp() override {
        plugin = loadPlugin(host);
        ASSERT_NE(plugin->effect(), nullptr) << plugin->error();
        guide = guideText();
        ASSERT_FALSE(guide.empty()) << "the guide was not found next to the test program";
    }

    AEffect& effect() const { return *plugin->effect(); }

    // The parameter the host lists under this name, or -1.
    int32_t parameterNamed(const std::string& name) const {
        for (int32_t index = 0; index < effect().numParams; ++index)
            if (plugin->text(effGetParamName, index) == name) return index;
        return -1;
    }

    std::string displayAt(int32_t index, float value) const {
        effect().setParameter(&effect(), index, value);
        return plugin->text(effGetParamDisplay, index);
    }

    int32_t programNamed(const std::string& name) const {
        for (int32_t index = 0; index < effect().numPrograms; ++index)
            if (plugin->text(effGetProgramNameIndexed, index) == name) return index;
        return -1;
    }

    std::vector<TableRow> table(const TableRow& header) const { return markdownTable(guide, header); }

    RecordingHost host;
    std::unique_ptr<LoadedPlugin> plugin;
    std::string guide;
};

TEST_F(UserGuide, ControlsAreTheParametersInTheHostsOrderWithTheirRangesAndUnits) {
    const auto rows = table({"Control", "What it does", "Range shown by the host", "Unit shown by the host"});
    ASSERT_EQ(int32_t(rows.size()), effect().numParams);
    for (int32_t index = 0; index < effect().numParams; ++index) {
        const TableRow& row = rows[size_t(index)];
        EXPECT_EQ(row[0], plugin->text(effGetParamName, index));
        const std::vector<std::string> range = codeSpans(row[2]);
        ASSERT_EQ(range.size(), 2u) << row[2];
        EXPECT_EQ(range[0], displayAt(index, 0.0f)) << row[0];
        EXPECT_EQ(range[1], displayAt(index, 1.0f)) << row[0];
        EXPECT_EQ(onlyCodeSpan(row[3]), plugin->text(effGetParamLabel, index)) << row[0];
    }
}

TEST_F(UserGuide, HostTextsAtEachSettingAreThePluginsOwn) {
    const auto rows = table({"Control", "Setting", "Shown by the host", "What you hear"});
    std::set<int32_t> covered;
    for (const TableRow& row : rows) {
        const int32_t index = parameterNamed(row[0]);
        ASSERT_GE(index, 0) << "no parameter named " << row[0];
        covered.insert(index);
        EXPECT_EQ(onlyCodeSpan(row[2]), displayAt(index, number(row[1]))) << row[0] << " at " << row[1];
    }
    EXPECT_EQ(int32_t(covered.size()), effect().numParams) << "every control has rows";
}

TEST_F(UserGuide, ProgramsAreListedInTheHostsOrderWithTheirSettings) {
    const TableRow header = {"Program", "Name", "Threshold", "Attack", "Time Constant", "Gain"};
    const auto rows = table(header);
    ASSERT_EQ(int32_t(rows.size()), effect().numPrograms);
    for (int32_t program = 0; program < effect().numPrograms; ++program) {
        const TableRow& row = rows[size_t(program)];
        EXPECT_EQ(number(row[0]), float(program + 1));
        EXPECT_EQ(onlyCodeSpan(row[1]), plugin->text(effGetProgramNameIndexed, program));
        plugin->dispatch(effSetProgram, 0, program);
        for (size_t column = 2; column < header.size(); ++column) {
            const int32_t index = parameterNamed(header[column]);
            ASSERT_GE(index, 0) << "no parameter named " << header[column];
            EXPECT_EQ(effect().getParameter(&effect(), index), number(row[column]))
                << row[1] << ", " << header[column];
        }
    }
}

// A preset's name states its times, and selecting it puts the selector at the guide's position.
TEST_F(UserGuide, SelectorPositionsHaveTheTimesTheirPresetsAreNamedAfter) {
    const auto rows = table({"Position", "Attack", "Release", "Program"});
    ASSERT_EQ(rows.size(), 6u);
    const int32_t timeConstant = parameterNamed("Time Constant");
    ASSERT_GE(timeConstant, 0);
    const std::regex times("Att: (\\S+) - Rel: (\\S+)");
    for (const TableRow& row : rows) {
        const std::string name = onlyCodeSpan(row[3]);
        std::smatch named;
        ASSERT_TRUE(std::regex_match(name, named, times)) << name;
        EXPECT_EQ(milliseconds(row[1]), milliseconds(named[1])) << name;
        EXPECT_EQ(milliseconds(row[2]), milliseconds(named[2])) << name;
        const int32_t program = programNamed(name);
        ASSERT_GE(program, 0) << "no program named " << name;
        plugin->dispatch(effSetProgram, 0, program);
        const int32_t position = int32_t(effect().getParameter(&effect(), timeConstant) * 5.0f) + 1;
        EXPECT_EQ(position, number(row[0])) << name;
    }
}

} // namespace

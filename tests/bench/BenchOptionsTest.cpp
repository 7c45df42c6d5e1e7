// The benchmark's command line.

#include "tools/bench/BenchOptions.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Row {
    std::vector<const char*> arguments;
    std::string path;
    bool help;
    std::string problemStart; // empty: the line is accepted
};

TEST(BenchOptions, ParsesTheLibraryPathAndHelp) {
    const Row rows[] = {
        {{}, "", false, ""},
        {{"plug.dll"}, "plug.dll", false, ""},
        {{"--help"}, "", true, ""},
        {{"-h"}, "", true, ""},
        {{"plug.dll", "--help"}, "plug.dll", true, ""},
        {{"--fast"}, "", false, "unknown option --fast"},
        {{"a.dll", "b.dll"}, "a.dll", false, "one plug-in library at a time"},
    };
    for (const Row& row : rows) {
        std::vector<const char*> argv{"quenvale-bench"};
        argv.insert(argv.end(), row.arguments.begin(), row.arguments.end());
        BenchOptions options;
        const std::string problem = parseBenchOptions(int(argv.size()), argv.data(), options);
        const std::string line = argv.size() > 1 ? argv[1] : "(none)";
        EXPECT_EQ(problem.substr(0, row.problemStart.size()), row.problemStart) << line;
        EXPECT_EQ(problem.empty(), row.problemStart.empty()) << line << ": " << problem;
        if (problem.empty()) {
            EXPECT_EQ(options.pluginPath, row.path) << line;
            EXPECT_EQ(options.help, row.help) << line;
        }
    }
}

TEST(BenchOptions, UsageNamesTheFormsAndTheDefault) {
    const std::string usage = benchUsage();
    EXPECT_NE(usage.find("quenvale-bench [PLUGIN.dll]"), std::string::npos);
    EXPECT_NE(usage.find("--help"), std::string::npos);
    EXPECT_NE(usage.find("QuenvaleCompressor.dll beside this program"), std::string::npos);
}

} // namespace

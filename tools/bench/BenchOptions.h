#pragma once
// The benchmark's command line: an optional path of the plug-in library, or --help.

#include <string>

struct BenchOptions {
    std::string pluginPath; // empty: the library beside the program
    bool help = false;
};

// Answers an empty text on success, otherwise what is wrong with the command line.
std::string parseBenchOptions(int argc, const char* const* argv, BenchOptions& options);
const char* benchUsage();

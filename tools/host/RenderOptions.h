#pragma once
// The renderer's command line.

#include "tools/host/WavFile.h"

#include <string>
#include <vector>

struct ParameterSetting {
    std::string name;
    float value;
};

struct RenderOptions {
    std::string inputPath; // empty: the built-in test signal
    std::string outputPath = "quenvale-render.wav";
    std::string pluginPath = "QuenvaleCompressor.dll";
    int32_t program = -1; // -1: the plug-in's current program
    std::vector<ParameterSetting> parameters;
    int32_t blockSize = 512;
    bool accumulate = false;
    SampleFormat format = SampleFormat::Float32;
    int32_t testSampleRate = 44100;
    bool help = false;
};

// Answers an empty text on success, otherwise what is wrong with the command line.
std::string parseRenderOptions(int argc, const char* const* argv, RenderOptions& options);
const char* renderUsage();

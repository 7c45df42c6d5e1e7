#pragma once
// Renders audio through a plug-in instance, reached only through its record: selects the program, sets
// parameters by the names the plug-in reports, tells it the sample rate and block size, and runs the
// blocks through the replacing or accumulating entry.

#include "host/AEffect.h"
#include "tools/host/RenderOptions.h"

#include <functional>

struct RenderSummary {
    double inputPeak;
    double inputRms;
    double outputPeak;
    double outputRms;
    double largestReductionDecibels; // from the gain-reduction meter, read after every block
};

class Renderer {
public:
    explicit Renderer(AEffect& instance) : effect(instance) {}

    // Answers an empty text on success, otherwise what the plug-in does not accept.
    std::string configure(const RenderOptions& options, int32_t sampleRate);
    // Stereo out for mono or stereo in; progress gets the fraction done after each block.
    RenderSummary render(const AudioData& input, AudioData& output,
                         const std::function<void(double)>& progress);

private:
    HostInt dispatch(int32_t opcode, int32_t index = 0, HostInt value = 0, void* pointer = nullptr,
                     float opt = 0.0f);
    int32_t parameterIndex(const std::string& name);
    void runBlock(float** inputs, float** outputs, int32_t frames);

    AEffect& effect;
    int32_t blockSize = 512;
    bool accumulate = false;
};

#include "tools/host/Renderer.h"

#include "host/Opcodes.h"
#include "tools/host/LevelMeter.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace {

// Names compare without case and without blanks, dashes or underscores: "time-constant" is "Time Constant".
std::string nameKey(const std::string& name) {
    std::string key;
    for (char c : name)
        if (std::isalnum(static_cast<unsigned char>(c)))
            key += char(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

// The gain-reduction meter holds 1 - gain; in decibels of reduction.
double reductionDecibels(float reduction) {
    if (reduction <= 0.0f) return 0.0;
    if (reduction >= 1.0f) return std::numeric_limits<double>::infinity();
    return -20.0 * std::log10(1.0 - double(reduction));
}

constexpr int32_t kGainReductionMeter = 22;

} // namespace

HostInt Renderer::dispatch(int32_t opcode, int32_t index, HostInt value, void* pointer, float opt) {
    return effect.dispatcher(&effect, opcode, index, value, pointer, opt);
}

int32_t Renderer::parameterIndex(const std::string& name) {
    for (int32_t index = 0; index < effect.numParams; ++index) {
        char text[256] = {};
        dispatch(effGetParamName, index, 0, text);
        if (nameKey(text) == nameKey(name)) return index;
    }
    return -1;
}

std::string Renderer::configure(const RenderOptions& options, int32_t sampleRate) {
    if (options.program >= effect.numPrograms)
        return "program " + std::to_string(options.program) + " does not exist (the plug-in has " +
               std::to_string(effect.numPrograms) + ")";
    std::vector<int32_t> indices;
    for (const ParameterSetting& setting : options.parameters) {
        indices.push_back(parameterIndex(setting.name));
        if (indices.back() < 0) return "the plug-in has no parameter named \"" + setting.name + "\"";
    }
    if (options.program >= 0) dispatch(effSetProgram, 0, options.program);
    for (std::size_t i = 0; i < indices.size(); ++i)
        effect.setParameter(&effect, indices[i], options.parameters[i].value);
    blockSize = options.blockSize;
    accumulate = options.accumulate;
    dispatch(effSetSampleRate, 0, 0, nullptr, float(sampleRate));
    dispatch(effSetBlockSize, 0, blockSize);
    return "";
}

void Renderer::runBlock(float** inputs, float** outputs, int32_t frames) {
    if (accumulate) {
        std::fill(outputs[0], outputs[0] + frames, 0.0f);
        std::fill(outputs[1], outputs[1] + frames, 0.0f);
        effect.process(&effect, inputs, outputs, frames);
    } else {
        effect.processReplacing(&effect, inputs, outputs, frames);
    }
}

RenderSummary Renderer::render(const AudioData& input, AudioData& output,
                               const std::function<void(double)>& progress) {
    const int32_t frames = input.frames();
    const std::vector<float>& left = input.channels[0];
    const std::vector<float>& right = input.channels.size() > 1 ? input.channels[1] : left;
    output.sampleRate = input.sampleRate;
    output.channels.assign(2, std::vector<float>(frames));
    LevelMeter inputLevel, outputLevel;
    float largestReduction = 0.0f;
    dispatch(effMainsChanged, 0, 1);
    for (int32_t start = 0; start < frames; start += blockSize) {
        const int32_t count = std::min(blockSize, frames - start);
        float* inputs[] = {const_cast<float*>(&left[start]), const_cast<float*>(&right[start])};
        float* outputs[] = {&output.channels[0][start], &output.channels[1][start]};
        runBlock(inputs, outputs, count);
        largestReduction = std::max(largestReduction, effect.getParameter(&effect, kGainReductionMeter));
        for (int channel = 0; channel < 2; ++channel) {
            inputLevel.add(inputs[channel], count);
            outputLevel.add(outputs[channel], count);
        }
        progress(double(start + count) / frames);
    }
    dispatch(effMainsChanged, 0, 0);
    return {inputLevel.peakDecibels(), inputLevel.rmsDecibels(), outputLevel.peakDecibels(),
            outputLevel.rmsDecibels(), reductionDecibels(largestReduction)};
}

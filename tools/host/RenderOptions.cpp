#include "tools/host/RenderOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

bool parseWhole(const char* text, long minimum, long maximum, int32_t& result) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < minimum || value > maximum) return false;
    result = int32_t(value);
    return true;
}

// NAME=VALUE with a value from 0 to 1.
std::string parseSetting(const std::string& text, std::vector<ParameterSetting>& settings) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0) return "expected NAME=VALUE, got \"" + text + "\"";
    const std::string number = text.substr(equals + 1);
    char* end = nullptr;
    const float value = std::strtof(number.c_str(), &end);
    if (number.empty() || *end != '\0') return "\"" + number + "\" is not a number";
    if (!(value >= 0.0f && value <= 1.0f)) return "value " + number + " is out of range (0 to 1)";
    settings.push_back({text.substr(0, equals), value});
    return "";
}

std::string parseFormat(const std::string& text, SampleFormat& format) {
    if (text == "16")
        format = SampleFormat::Integer16;
    else if (text == "24")
        format = SampleFormat::Integer24;
    else if (text == "32")
        format = SampleFormat::Float32;
    else
        return "--bits takes 16, 24 or 32, not \"" + text + "\"";
    return "";
}

// One option that takes a value.
std::string parseValued(const std::string& option, const char* value, RenderOptions& options) {
    if (option == "-o" || option == "--output")
        options.outputPath = value;
    else if (option == "--plugin")
        options.pluginPath = value;
    else if (option == "-p" || option == "--param")
        return parseSetting(value, options.parameters);
    else if (option == "--bits")
        return parseFormat(value, options.format);
    else if (option == "--program") {
        if (!parseWhole(value, 0, 1000, options.program)) return "--program takes a program number";
    } else if (option == "--block") {
        if (!parseWhole(value, 1, 65536, options.blockSize)) return "--block takes a size from 1 to 65536";
    } else if (option == "--rate") {
        if (!parseWhole(value, 8000, 384000, options.testSampleRate))
            return "--rate takes a sample rate from 8000 to 384000";
    } else
        return "unknown option " + option;
    return "";
}

bool isFlag(const std::string& option, RenderOptions& options) {
    if (option == "-h" || option == "--help")
        options.help = true;
    else if (option == "--accumulate")
        options.accumulate = true;
    else if (option == "--replace")
        options.accumulate = false;
    else
        return false;
    return true;
}

} // namespace

std::string parseRenderOptions(int argc, const char* const* argv, RenderOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (isFlag(argument, options)) continue;
        if (argument.size() > 1 && argument[0] == '-') {
            if (i + 1 >= argc) return argument + " needs a value";
            const std::string problem = parseValued(argument, argv[++i], options);
            if (!problem.empty()) return problem;
        } else if (options.inputPath.empty()) {
            options.inputPath = argument;
        } else {
            return "more than one input file: " + argument;
        }
    }
    return "";
}

const char* renderUsage() {
    return "usage: quenvale-render [options] [INPUT.wav]\n"
           "Renders INPUT.wav (16/24-bit integer or 32-bit float, mono or stereo) through the plug-in\n"
           "to a stereo file; without INPUT.wav a built-in test signal of drum hits and a held tone.\n"
           "  -o, --output FILE     output file (default quenvale-render.wav)\n"
           "  --plugin FILE         plug-in library (default QuenvaleCompressor.dll)\n"
           "  --program N           select program N first\n"
           "  -p, --param NAME=V    set a parameter by name to V (0 to 1), e.g. -p threshold=0.4\n"
           "  --block N             frames per block (default 512)\n"
           "  --accumulate          use the accumulating entry (default: replacing)\n"
           "  --bits 16|24|32       output sample format (default 32, float)\n"
           "  --rate HZ             sample rate of the test signal (default 44100)\n"
           "  -h, --help            this text\n";
}

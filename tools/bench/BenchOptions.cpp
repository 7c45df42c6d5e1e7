#include "tools/bench/BenchOptions.h"

std::string parseBenchOptions(int argc, const char* const* argv, BenchOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h")
            options.help = true;
        else if (!argument.empty() && argument[0] == '-')
            return "unknown option " + argument;
        else if (!options.pluginPath.empty())
            return "one plug-in library at a time, not also " + argument;
        else
            options.pluginPath = argument;
    }
    return "";
}

const char* benchUsage() {
    return "Usage: quenvale-bench [PLUGIN.dll]\n"
           "       quenvale-bench --help\n"
           "\n"
           "Times the plug-in's processReplacing and accumulating process entries, reached through the\n"
           "record its main entry returns, against a floor: the tightest plain loop of the same arithmetic,\n"
           "written from its laws, with all its state in locals. The two run alternately on the same blocks "
           "of 512 frames at 44100 Hz (threshold\n"
           "0.2, attack 0.5, time constant 0.4, gain 0.5): on noise, and on silence after a loud burst.\n"
           "The signals are finite; every block's output and the meters must agree bit for bit, or the\n"
           "run fails.\n"
           "\n"
           "Prints ns per stereo frame, the real-time factor and the ratio plug-in / floor for each case.\n"
           "PLUGIN.dll defaults to QuenvaleCompressor.dll beside this program.\n"
           "Exit status: 0 when every case ran with matching output, 1 otherwise, 2 for a bad command "
           "line.\n";
}

// quenvale-host: loads the plug-in as a host does and prints what a host reads about it.

#include "host/Opcodes.h"
#include "tools/host/LoadedPlugin.h"

#include <cstdio>

namespace {

extern "C" HostInt answerHost(AEffect*, int32_t opcode, int32_t, HostInt, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

std::string fourCharacters(int32_t code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
        text += char((code >> shift) & 0xFF);
    return text;
}

void printIdentity(const LoadedPlugin& plugin) {
    const AEffect& effect = *plugin.effect();
    std::printf("Effect name:    %s\n", plugin.text(effGetEffectName).c_str());
    std::printf("Vendor:         %s, version %d\n", plugin.text(effGetVendorString).c_str(),
                int(plugin.dispatch(effGetVendorVersion)));
    std::printf("Product:        %s\n", plugin.text(effGetProductString).c_str());
    std::printf("Identifier:     %s\n", fourCharacters(effect.uniqueID).c_str());
    std::printf("Category:       %d\n", int(plugin.dispatch(effGetPlugCategory)));
    std::printf("Channels:       %d in, %d out\n", effect.numInputs, effect.numOutputs);
    std::printf("Parameters:     %d\n", effect.numParams);
    std::printf("Programs:       %d\n", effect.numPrograms);
    std::printf("Flags:          %d\n", effect.flags);
    char capability[] = "2in2out";
    std::printf("Can do 2in2out: %d\n", int(plugin.dispatch(effCanDo, 0, 0, capability)));
}

} // namespace

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : "QuenvaleCompressor.dll";
    LoadedPlugin plugin(path, answerHost);
    if (!plugin.effect()) {
        std::fprintf(stderr, "quenvale-host: %s\n", plugin.error().c_str());
        return 1;
    }
    printIdentity(plugin);
    return 0;
}

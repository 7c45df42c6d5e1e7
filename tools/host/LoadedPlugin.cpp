#include "tools/host/LoadedPlugin.h"

#include "host/Opcodes.h"

#include <vector>

namespace {
using MainEntry = AEffect* (*)(HostCallback);
}

LoadedPlugin::LoadedPlugin(const char* libraryPath, HostCallback host) {
    library = LoadLibraryA(libraryPath);
    if (!library) {
        // The Windows error tells a missing dependency (126) from a library of the other width (193).
        failure = std::string("cannot load ") + libraryPath + " (Windows error " +
                  std::to_string(GetLastError()) + ")";
        return;
    }
    auto entry = reinterpret_cast<MainEntry>(reinterpret_cast<void*>(GetProcAddress(library, "main")));
    if (!entry) {
        failure = std::string(libraryPath) + " has no entry named main";
        return;
    }
    instance = entry(host);
    if (!instance) failure = std::string(libraryPath) + " made no instance";
}

LoadedPlugin::~LoadedPlugin() {
    close();
    if (library) FreeLibrary(library);
}

HostInt LoadedPlugin::dispatch(int32_t opcode, int32_t index, HostInt value, void* pointer, float opt) const {
    return instance->dispatcher(instance, opcode, index, value, pointer, opt);
}

std::string LoadedPlugin::text(int32_t opcode, int32_t index) const {
    std::vector<char> buffer(1024, '\0');
    dispatch(opcode, index, 0, buffer.data());
    return buffer.data();
}

HostInt LoadedPlugin::close() {
    if (!instance) return 0;
    HostInt result = dispatch(effClose);
    instance = nullptr;
    return result;
}

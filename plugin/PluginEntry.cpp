#include "plugin/PluginEntry.h"

#include "host/Opcodes.h"
#include "plugin/CompressorPlugin.h"

#include <new>

bool editorCreationFailed = false;

// Exported as "main" by the module definition file: the name a host looks up.
extern "C" AEffect* mainEntry(HostCallback host) {
    if (!host || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    auto* plugin = new (std::nothrow) CompressorPlugin(host);
    if (!plugin) return nullptr;
    if (editorCreationFailed) {
        delete plugin;
        return nullptr;
    }
    return plugin->effectRecord();
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    moduleHandle = instance;
    return TRUE;
}

#pragma once
// A plug-in library loaded the way a host loads it: LoadLibrary, the exported "main", and from then on
// only the record it returns. Owns the library and the instance; closes and unloads on destruction.

#include "host/AEffect.h"

#include <string>
#include <windows.h>

class LoadedPlugin {
public:
    LoadedPlugin(const char* libraryPath, HostCallback host);
    ~LoadedPlugin();
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;

    // Null when the library, its entry or the instance could not be had; error() tells which.
    AEffect* effect() const { return instance; }
    const std::string& error() const { return failure; }

    HostInt dispatch(int32_t opcode, int32_t index = 0, HostInt value = 0, void* pointer = nullptr,
                     float opt = 0.0f) const;
    // Asks a text request into a roomy, zeroed buffer and answers the text.
    std::string text(int32_t opcode, int32_t index = 0) const;
    // Closes the instance now (effClose); answers the dispatcher's result.
    HostInt close();

private:
    HMODULE library = nullptr;
    AEffect* instance = nullptr;
    std::string failure;
};

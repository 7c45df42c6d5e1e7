#include "tests/support/TestHost.h"

#include "host/Opcodes.h"

std::unique_ptr<LoadedPlugin> loadPlugin(RecordingHost& host) {
    host.answers.emplace(audioMasterVersion, 2400);
    return std::make_unique<LoadedPlugin>("QuenvaleCompressor.dll", &RecordingHost::callback);
}

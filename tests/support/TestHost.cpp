#include "tests/support/TestHost.h"

#include "host/Opcodes.h"

namespace {
// The callback carries no user data, so requests reach the one recording host of the test.
RecordingHost* current = nullptr;
} // namespace

RecordingHost::RecordingHost() {
    current = this;
    answers[audioMasterVersion] = 2400;
}

RecordingHost::~RecordingHost() { current = nullptr; }

HostInt RecordingHost::callback(AEffect* effect, int32_t opcode, int32_t index, HostInt value, void* pointer,
                                float opt) {
    if (!current) return 0;
    current->requests.push_back({effect, opcode, index, value, pointer, opt});
    auto answer = current->answers.find(opcode);
    return answer == current->answers.end() ? 0 : answer->second;
}

std::unique_ptr<LoadedPlugin> RecordingHost::load() {
    return std::make_unique<LoadedPlugin>("QuenvaleCompressor.dll", &RecordingHost::callback);
}

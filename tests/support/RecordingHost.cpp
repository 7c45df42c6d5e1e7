#include "tests/support/RecordingHost.h"

#include <algorithm>

namespace {
RecordingHost* current = nullptr;
}

bool operator==(const HostRequest& a, const HostRequest& b) {
    return a.effect == b.effect && a.opcode == b.opcode && a.index == b.index && a.value == b.value &&
           a.pointer == b.pointer && a.opt == b.opt;
}

std::ostream& operator<<(std::ostream& out, const HostRequest& request) {
    return out << "{record " << request.effect << ", opcode " << request.opcode << ", index " << request.index
               << ", value " << request.value << ", pointer " << request.pointer << ", float " << request.opt
               << "}";
}

RecordingHost::RecordingHost() { current = this; }
RecordingHost::~RecordingHost() { current = nullptr; }

int RecordingHost::requestsOf(int32_t opcode) const {
    return int(std::count_if(requests.begin(), requests.end(),
                             [opcode](const HostRequest& request) { return request.opcode == opcode; }));
}

HostInt RecordingHost::callback(AEffect* effect, int32_t opcode, int32_t index, HostInt value, void* pointer,
                                float opt) {
    if (!current) return 0;
    const HostRequest request{effect, opcode, index, value, pointer, opt};
    current->requests.push_back(request);
    if (current->reaction) current->reaction(request);
    auto answer = current->answers.find(opcode);
    return answer == current->answers.end() ? current->otherAnswer : answer->second;
}

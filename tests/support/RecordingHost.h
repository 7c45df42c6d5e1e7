#pragma once
// A host callback for tests that writes down every request with its six arguments and answers what the
// test configured, per opcode or for all of them. The callback carries no user data, so requests reach
// the one recording host alive at the time.

#include "host/AEffect.h"

#include <functional>
#include <map>
#include <ostream>
#include <vector>

struct HostRequest {
    AEffect* effect;
    int32_t opcode;
    int32_t index;
    HostInt value;
    void* pointer;
    float opt;
};

bool operator==(const HostRequest& a, const HostRequest& b);
std::ostream& operator<<(std::ostream& out, const HostRequest& request);

class RecordingHost {
public:
    RecordingHost();
    ~RecordingHost();
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    std::vector<HostRequest> requests;
    std::map<int32_t, HostInt> answers; // per opcode
    HostInt otherAnswer = 0;            // for every opcode not in answers
    // Runs after a request is written down, as a host's own handling of it (it may call the plug-in).
    std::function<void(const HostRequest&)> reaction;

    // How many of the requests so far were of the opcode.
    int requestsOf(int32_t opcode) const;

    static HostInt callback(AEffect* effect, int32_t opcode, int32_t index, HostInt value, void* pointer,
                            float opt);
};

#pragma once
// A host for end-to-end tests: loads the real plug-in library, keeps a callback that records every
// request with its six arguments and answers what a test configured per opcode, and talks to the
// instance only through the record.

#include "tools/host/LoadedPlugin.h"

#include <map>
#include <memory>
#include <vector>

struct HostRequest {
    AEffect* effect;
    int32_t opcode;
    int32_t index;
    HostInt value;
    void* pointer;
    float opt;
};

class RecordingHost {
public:
    RecordingHost();
    ~RecordingHost();

    // Every request since the host was made, and what each opcode is answered (2400 for the version).
    std::vector<HostRequest> requests;
    std::map<int32_t, HostInt> answers;

    static HostInt callback(AEffect* effect, int32_t opcode, int32_t index, HostInt value, void* pointer,
                            float opt);
    // Loads the plug-in library next to the test program with this host's callback.
    std::unique_ptr<LoadedPlugin> load();
};

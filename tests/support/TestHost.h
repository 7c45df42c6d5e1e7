#pragma once
// Loads the real plug-in library next to the test program, as a host does, with a recording host's
// callback. A host that was not told otherwise answers the version request with 2400.

#include "tests/support/RecordingHost.h"
#include "tools/host/LoadedPlugin.h"

#include <memory>

std::unique_ptr<LoadedPlugin> loadPlugin(RecordingHost& host);

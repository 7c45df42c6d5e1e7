#pragma once
// The instance a host gets: the compressor with its editor.

#include "plugin/CompressorBase.h"

class CompressorPlugin : public CompressorBase {
public:
    explicit CompressorPlugin(HostCallback callback);
};

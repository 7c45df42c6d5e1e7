#pragma once
// The instance a host gets: the compressor with its editor.

#include "plugin/CompressorBase.h"

class CompressorPlugin : public CompressorBase {
public:
    explicit CompressorPlugin(HostCallback callback);

    // Applies the value as the compressor does, then lets the editor follow it.
    void setParameterValue(int32_t index, float value) override;

private:
    // Where the panel is told of every change, whatever the index; there is no panel yet to tell.
    void forwardToEditor(int32_t, float) {}
};

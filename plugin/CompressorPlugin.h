#pragma once
// The instance a host gets: the compressor with its panel editor.

#include "plugin/CompressorBase.h"

class CompressorEditor;

class CompressorPlugin : public CompressorBase {
public:
    // Without memory for the editor the instance has none, and editorCreationFailed is set.
    explicit CompressorPlugin(HostCallback callback);

    // Applies the value as the compressor does, then lets the panel follow it.
    void setParameterValue(int32_t index, float value) override;

private:
    CompressorEditor* panel = nullptr; // owned, as every editor, by the base
};

#pragma once
// The compressor as the host sees it: identity, names and capabilities. The sound itself (gain
// computer, parameters, block processing and programs) lives in the members and operations below.

#include "host/PluginEffectX.h"

class CompressorBase : public PluginEffectX {
public:
    static constexpr int32_t kProgramCount = 7;
    static constexpr int32_t kParameterCount = 4;

    explicit CompressorBase(HostCallback callback);

    void processAdd(float** inputs, float** outputs, int32_t frames) override;
    void processReplace(float** inputs, float** outputs, int32_t frames) override;

    HostInt pluginCategory() override { return kPlugCategEffect; }
    bool effectNameText(char* text) override;
    bool vendorText(char* text) override;
    bool productText(char* text) override;
    HostInt vendorVersionNumber() override { return 2000; }
    HostInt canDoAnswer(char* text) override;

    virtual void processBlock(float** inputs, float** outputs, int32_t frames, int32_t replace);
};

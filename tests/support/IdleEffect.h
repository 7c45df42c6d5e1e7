#pragma once
// A plug-in that processes nothing, for tests of the base classes and of editors that need an owner.

#include "host/PluginEffectX.h"

class IdleEffect : public PluginEffectX {
public:
    explicit IdleEffect(HostCallback callback = nullptr, int32_t programs = 1, int32_t parameters = 1)
        : PluginEffectX(callback, programs, parameters) {}
    void processAdd(float**, float**, int32_t) override {}
};

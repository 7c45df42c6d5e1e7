#pragma once
// The minimal editor the plug-in's dispatcher talks to: it reports a rectangle, is opened in a host
// window, closed, idled and told of keys, wheel turns and the knob mode. Every operation has a
// harmless default; the window handle is kept opaque so that this layer needs no Windows header.

#include "host/HostRecords.h"

#include <atomic>
#include <cstdint>

class PluginEffectX;

class EditorBase {
public:
    explicit EditorBase(PluginEffectX& owner) : plugin(owner) {}
    EditorBase(const EditorBase&) = delete;
    EditorBase& operator=(const EditorBase&) = delete;

    virtual ~EditorBase() = default;
    virtual int32_t getPanelRect(ERect** rect);
    virtual int32_t openPanel(void* parent);
    virtual void closePanel() {}
    virtual void idle();
    virtual void refresh() {}
    // May run on any thread.
    virtual void requestRefresh() { refreshPending.store(1, std::memory_order_relaxed); }
    virtual int32_t keyDown(VstKeyCode& key);
    virtual int32_t keyUp(VstKeyCode& key);
    virtual int32_t selectKnobMode(int32_t mode);
    virtual bool wheelTurned(float distance);

protected:
    PluginEffectX& plugin;
    void* parentWindow = nullptr;
    // Set from any thread, taken by the user-interface thread's idle. It carries no data, so relaxed
    // order is enough; a request that comes while the idle runs is taken at the next one.
    std::atomic<int32_t> refreshPending{0};
};

#include "editor/GuiEditor.h"

#include "gui/Frame.h"
#include "host/PluginEffectX.h"

#include <windows.h>

std::atomic<int32_t> knobMode{0};

namespace {

class SystemClock final : public IdleThrottle::Clock {
public:
    uint32_t ticks() override { return GetTickCount(); }
    void sleep(uint32_t milliseconds) override { Sleep(milliseconds); }
};

} // namespace

IdleThrottle::Clock& GuiEditor::systemClock() {
    static SystemClock clock;
    return clock;
}

GuiEditor::GuiEditor(PluginEffectX& owner, IdleThrottle::Clock& clock)
    : EditorBase(owner), idleThrottle(clock) {
    plugin.attachEditor(this);
}

GuiEditor::~GuiEditor() {
    if (aliveInHostIdle) *aliveInHostIdle = false;
}

int32_t GuiEditor::getPanelRect(ERect** rect) {
    *rect = &panelRect;
    return 1;
}

int32_t GuiEditor::openPanel(void* parent) {
    requestRefresh();
    parentWindow = parent;
    return 0;
}

// An idle the host sends from inside pumpIdle's own host idle would redraw in the middle of a drag step.
void GuiEditor::idle() {
    if (aliveInHostIdle) return;
    EditorBase::idle();
    if (frame) frame->redrawDirtyViews();
}

int32_t GuiEditor::keyDown(VstKeyCode& key) { return frame ? frame->keyDown(key) : -1; }

int32_t GuiEditor::keyUp(VstKeyCode& key) { return frame ? frame->keyUp(key) : -1; }

int32_t GuiEditor::selectKnobMode(int32_t mode) {
    ::knobMode.store(mode, std::memory_order_relaxed);
    return 1;
}

bool GuiEditor::wheelTurned(float distance) { return frame && frame->wheelTurned(nullptr, {0, 0}, distance); }

void GuiEditor::parameterChanged(int32_t, float) { requestRefresh(); }

void GuiEditor::releaseFrame() {
    if (frame) frame->close();
    frame = nullptr;
}

void GuiEditor::redrawAll() {
    if (frame) frame->redrawView(nullptr);
}

void GuiEditor::beginEdit(int32_t tag) { plugin.hostBeginEdit(tag); }

void GuiEditor::endEdit(int32_t tag) { plugin.hostEndEdit(tag); }

void GuiEditor::pumpIdle() {
    if (!idleThrottle.claim()) return;
    idle();
    MSG message;
    if (PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&message);
    bool alive = true;
    aliveInHostIdle = &alive;
    plugin.hostIdle();
    if (alive) aliveInHostIdle = nullptr;
}

#pragma once
// The editor with a panel: it forwards keys and wheel turns to its frame, redraws the frame's dirty
// views from the host's idle, keeps the process-wide knob mode, and offers pumpIdle, the paced idle that
// controls run while they hold the mouse. The panel's own editor derives from it and makes the frame.

#include "editor/EditorBase.h"
#include "gui/FrameOwner.h"
#include "gui/IdleThrottle.h"
#include "gui/OleUse.h"

#include <atomic>

class Frame;

// How knobs follow the mouse in every editor of the process: kLinearKnobs drags linearly, any other
// value circularly. Editors of one process may be driven from different threads; the last store wins.
extern std::atomic<int32_t> knobMode;

class GuiEditor : public EditorBase, public FrameOwner {
public:
    // The system's tick count and sleep pace pumpIdle.
    static IdleThrottle::Clock& systemClock();

    explicit GuiEditor(PluginEffectX& owner, IdleThrottle::Clock& clock = systemClock());
    ~GuiEditor() override;

    int32_t getPanelRect(ERect** rect) override;
    int32_t openPanel(void* parent) override;
    void idle() override;
    int32_t keyDown(VstKeyCode& key) override;
    int32_t keyUp(VstKeyCode& key) override;
    int32_t selectKnobMode(int32_t mode) override;
    bool wheelTurned(float distance) override;

    // Slots 11 to 13.
    virtual void parameterChanged(int32_t index, float value);
    virtual void redrawAll();
    // Runs the idle, one waiting paint and the host's idle, about every 50 ms however often called.
    void pumpIdle() override;

    // The frame's owner: the process's knob mode and the host's edit notices.
    int32_t knobMode() const override { return ::knobMode.load(std::memory_order_relaxed); }
    void beginEdit(int32_t tag) override;
    void endEdit(int32_t tag) override;

protected:
    // Hands the frame its close and forgets it; a drag running under the close ends in its own time.
    void releaseFrame();

    ERect panelRect{0, 0, 0, 0};
    Frame* frame = nullptr;

private:
    OleUse ole; // one use per editor, so the thread's count stays balanced
    IdleThrottle idleThrottle;
    // While pumpIdle waits for the host's idle: pumpIdle's flag that the editor still lives. A host may
    // close the whole plug-in there; the destructor then clears the flag, and pumpIdle touches nothing.
    bool* aliveInHostIdle = nullptr;
};

#pragma once
// A panel for control tests: the plug-in library (for its pictures), the host window holding a frame
// whose editor reports to a recording host, a listener that writes to the same journal, and a pointer script
// that the drag loop plays back one step per pumpIdle.

#include "editor/GuiEditor.h"
#include "gui/Control.h"
#include "gui/ControlListener.h"
#include "gui/DrawContext.h"
#include "gui/Frame.h"
#include "host/PluginEffectX.h"
#include "tests/gui/GdiSupport.h"
#include "tests/gui/GeometryOutput.h"
#include "tests/support/RecordingHost.h"
#include "tests/support/ScriptedClock.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// One state of the pointer: where it is in frame coordinates and the bits of DrawContext::mouseButtons.
struct PointerStep {
    Point at;
    int32_t buttons;
};

// Everything the host and the listener heard, in order: "begin 3", "value 0.75 drawn", "end 3".
extern std::vector<std::string> journal;

class ScriptedEditor : public GuiEditor {
public:
    // Past this many passes a drag is broken off, so that a loop that never ends fails instead of hanging.
    static constexpr int kPassLimit = 10000;

    ScriptedEditor(PluginEffectX& owner, ScriptedPointer& source, IdleThrottle::Clock& clock);

    // Plays the next step of the script, or releases everything once it is played out.
    void pumpIdle() override;
    void play(Frame& panel, std::vector<PointerStep> steps);
    void apply(Frame& panel, const PointerStep& step);

    int pumps = 0;

private:
    ScriptedPointer& pointer;
    Frame* target = nullptr;
    std::vector<PointerStep> script;
    size_t next = 0;
};

class RecordingListener final : public ControlListener {
public:
    void valueChanged(DrawContext* context, Control* control) override;
    std::vector<float> values;
};

class ControlTest : public PluginLibraryTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Presses the primary button at the first step's point, plays the rest and lets go where it ended.
    void drag(std::vector<PointerStep> steps);
    // Drags upward from at, presses the Up key and turns the wheel at at, and checks that the control
    // turned every one down: its value stays and neither the host nor the listener heard anything.
    void expectTakesNoInput(Control& control, Point at);
    // The pixels of one of the library's bitmap resources.
    static PixelGrid resourcePixels(int32_t resource);

    HWND parent = nullptr;
    RecordingHost host;
    ScriptedClock clock; // the scripted pumpIdle never asks it
    ScriptedPointer pointer;
    RecordingListener listener;
    std::unique_ptr<PluginEffectX> effect; // deletes the editor
    ScriptedEditor* editor = nullptr;
    std::unique_ptr<Frame> frame;
    int32_t savedKnobMode = 0;
};

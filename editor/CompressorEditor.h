#pragma once
// The compressor's own panel, built as resources/PanelLayout.h describes it: knobs for the four
// parameters and displays and meters for the levels the plug-in measures, over the background. It keeps panel
// and plug-in in step both ways: a user's change goes to the plug-in and on to the host, a change on the
// plug-in's side moves the control at the next idle, and every idle copies the levels into the displays.
//
// The frame owns the controls; the pointers here only name them, and are cleared before the frame
// goes.
//
// Values shared with other threads (each other field here, the controls and their values belong to the
// host's user-interface thread, which opens, idles and closes the panel):
// - changedParameters: one bit per parameter 0 to 3, set by parameterChanged on whichever thread set
//   the parameter (release) and taken by idle on the user-interface thread (acquire), which then copies
//   the plug-in's stored values into the knobs. A setter therefore never touches a control, so a close
//   cannot free one under it.
// - refreshPending (EditorBase): set by requestRefresh on any thread, taken by idle; relaxed.
// - knobMode (GuiEditor): one per process, written by selectKnobMode, read by every knob; relaxed.
// - The plug-in's parameter values, levels and input holds, read here by idle and at open: listed with
//   the plug-in's own shared values in plugin/CompressorBase.h.

#include "editor/GuiEditor.h"
#include "gui/BitmapReference.h"
#include "gui/ControlListener.h"
#include "gui/Geometry.h"
#include "resources/PanelLayout.h"

#include <atomic>
#include <iterator>

class CompressorBase;
class Control;
class LedMeter;

class CompressorEditor : public GuiEditor, public ControlListener {
public:
    explicit CompressorEditor(CompressorBase& owner);
    ~CompressorEditor() override;

    // Builds the panel in the host's window and answers 1; answers 0, with the panel closed and
    // nothing kept, when there is no parent window or no window could be made in it. A panel that is
    // already open is closed first.
    int32_t openPanel(void* parent) override;
    void closePanel() override;
    void idle() override;
    // May run on any thread: marks the parameter, whose stored value the next idle shows.
    void parameterChanged(int32_t index, float value) override;
    void valueChanged(DrawContext* context, Control* control) override;

private:
    static constexpr size_t kControlCount = std::size(panelLayout::kControls);

    void loadBitmaps();
    void releaseBitmaps();
    Bitmap* pictureOf(const panelLayout::Picture* picture) const;
    void addControls();
    Control* makeControl(const panelLayout::Placement& placement);
    template <typename ControlType>
    ControlType* addStrip(int32_t index, Point topLeft, Bitmap* strip, int32_t frames);
    LedMeter* addMeter(Point topLeft, Bitmap* lit);
    template <typename ControlType> ControlType* place(ControlType* control, int32_t index);
    void forgetControls();
    Control* knobFor(int32_t parameter) const;
    void followParameters();
    bool bitmapsLoaded() const;
    bool levelIsLive(int32_t level) const;

    CompressorBase& compressor;
    // By row of the panel description.
    Control* controls[kControlCount] = {};
    BitmapReference background;
    // By entry of the description's control pictures.
    BitmapReference pictures[std::size(panelLayout::kControlPictures)];
    std::atomic<uint32_t> changedParameters{0};
};

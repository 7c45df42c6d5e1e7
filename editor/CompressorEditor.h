#pragma once
// The compressor's own panel, built as resources/PanelLayout.h describes it: knobs for the four
// parameters and displays and meters for the levels the plug-in measures, over the background. It keeps panel
// and plug-in in step both ways: a user's change goes to the plug-in and on to the host, a change on the
// plug-in's side moves the control at the next idle, and every idle copies the levels into the displays.
//
// The frame owns the controls; the pointers here only name them, and are cleared before the frame
// goes, so that a parameter set after the panel has closed finds no control to move.

#include "editor/GuiEditor.h"
#include "gui/BitmapReference.h"
#include "gui/ControlListener.h"
#include "gui/Geometry.h"
#include "resources/PanelLayout.h"

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
    // May run on any thread: stores the plug-in's value in the control and draws nothing.
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
    bool levelIsLive(int32_t level) const;

    CompressorBase& compressor;
    // By row of the panel description.
    Control* controls[kControlCount] = {};
    BitmapReference background;
    // By entry of the description's control pictures.
    BitmapReference pictures[std::size(panelLayout::kControlPictures)];
};

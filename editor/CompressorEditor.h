#pragma once
// The compressor's own panel: a 660 x 259 background with three knobs and the time-constant selector
// for the four parameters, and a gain-reduction needle, two input lamps and two output meters for the
// levels the plug-in measures. It keeps panel and plug-in in step both ways: a user's change goes to
// the plug-in and on to the host, a change on the plug-in's side moves the control at the next idle,
// and every idle copies the levels into the displays.
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

#include <atomic>

class CompressorBase;
class Control;
class FilmstripDisplay;
class FilmstripKnob;
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
    void loadBitmaps();
    void releaseBitmaps();
    void addControls();
    template <typename Kind> Kind* addStrip(int32_t index, Point topLeft, Bitmap* strip, int32_t frames);
    LedMeter* addMeter(int32_t level, Point topLeft);
    template <typename Kind> Kind* place(Kind* control, int32_t index);
    void forgetControls();
    FilmstripKnob* knobFor(int32_t parameter) const;
    void followParameters();
    bool bitmapsLoaded() const;
    void showLevel(Control* display, int32_t level);

    CompressorBase& compressor;
    FilmstripKnob* thresholdKnob = nullptr;
    FilmstripKnob* attackKnob = nullptr;
    FilmstripKnob* timeConstantSwitch = nullptr;
    FilmstripKnob* gainKnob = nullptr;
    FilmstripDisplay* inputLampLeft = nullptr;
    FilmstripDisplay* inputLampRight = nullptr;
    FilmstripDisplay* reductionNeedle = nullptr;
    BitmapReference background;
    BitmapReference knobStrip;
    BitmapReference selectorStrip;
    BitmapReference lampStrip;
    BitmapReference needleStrip;
    BitmapReference meterLit;
    BitmapReference meterUnlit;
    LedMeter* outputMeterLeft = nullptr;
    LedMeter* outputMeterRight = nullptr;
    std::atomic<uint32_t> changedParameters{0};
};

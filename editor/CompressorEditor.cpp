#include "editor/CompressorEditor.h"

#include "gui/Bitmap.h"
#include "gui/FilmstripDisplay.h"
#include "gui/FilmstripKnob.h"
#include "gui/Frame.h"
#include "gui/LedMeter.h"
#include "plugin/CompressorBase.h"
#include "resources/ResourceIds.h"

#include <algorithm>
#include <new>

namespace {

constexpr int32_t kMeterSegments = 10;
constexpr int32_t kParameterCount = CompressorBase::kGain + 1;

// Loads the picture into the holder unless it already holds a loaded one; the holder keeps the only
// reference.
void load(BitmapReference& holder, int32_t resource) {
    if (holder && holder->loaded()) return;
    Bitmap* bitmap = new (std::nothrow) Bitmap(resource);
    holder.reset(bitmap);
    if (bitmap) bitmap->releaseReference();
}

int32_t widthOf(const BitmapReference& bitmap) { return bitmap ? bitmap->width : 0; }
int32_t heightOf(const BitmapReference& bitmap) { return bitmap ? bitmap->height : 0; }

// One frame of a strip placed at topLeft; a missing strip gives an empty control.
Rect frameRect(Point topLeft, Bitmap* strip, int32_t frames) {
    const int32_t width = strip ? strip->width : 0;
    const int32_t height = strip ? strip->height / frames : 0;
    return {topLeft.x, topLeft.y, topLeft.x + width, topLeft.y + height};
}

} // namespace

CompressorEditor::CompressorEditor(CompressorBase& owner) : GuiEditor(owner), compressor(owner) {
    load(background, IDB_BACKGROUND);
    panelRect = {0, 0, int16_t(heightOf(background)), int16_t(widthOf(background))};
}

CompressorEditor::~CompressorEditor() { closePanel(); }

int32_t CompressorEditor::openPanel(void* parent) {
    if (frame) closePanel();
    if (!parent) return 0;
    GuiEditor::openPanel(parent);
    selectKnobMode(kLinearKnobs);
    loadBitmaps();
    frame = new (std::nothrow) Frame({0, 0, widthOf(background), heightOf(background)}, parent, this);
    if (!frame || !frame->windowHandle() || !bitmapsLoaded()) {
        closePanel();
        return 0;
    }
    frame->setBackgroundBitmap(background.get());
    addControls();
    return 1;
}

void CompressorEditor::closePanel() {
    forgetControls();
    releaseFrame();
    releaseBitmaps();
}

// The background stays loaded from construction on, unless it failed there.
void CompressorEditor::loadBitmaps() {
    load(background, IDB_BACKGROUND);
    load(knobStrip, IDB_KNOB);
    load(selectorStrip, IDB_TIME_CONSTANT_SELECTOR);
    load(lampStrip, IDB_INPUT_LAMP);
    load(needleStrip, IDB_GAIN_REDUCTION_NEEDLE);
    load(meterUnlit, IDB_METER_UNLIT);
    load(meterLit, IDB_METER_LIT);
}

// A panel missing a picture would draw holes: the open fails instead.
bool CompressorEditor::bitmapsLoaded() const {
    for (const BitmapReference* bitmap :
         {&background, &knobStrip, &selectorStrip, &lampStrip, &needleStrip, &meterUnlit, &meterLit})
        if (!*bitmap || !(*bitmap)->loaded()) return false;
    return true;
}

void CompressorEditor::releaseBitmaps() {
    for (BitmapReference* bitmap :
         {&knobStrip, &selectorStrip, &lampStrip, &needleStrip, &meterUnlit, &meterLit})
        bitmap->reset(nullptr);
}

// In drawing order; each control starts from the plug-in's current value.
void CompressorEditor::addControls() {
    attackKnob =
        addStrip<FilmstripKnob>(CompressorBase::kAttack, {220, 98}, knobStrip.get(), IDB_KNOB_FRAMES);
    thresholdKnob =
        addStrip<FilmstripKnob>(CompressorBase::kThreshold, {320, 98}, knobStrip.get(), IDB_KNOB_FRAMES);
    timeConstantSwitch = addStrip<FilmstripKnob>(CompressorBase::kTimeConstant, {418, 98},
                                                 selectorStrip.get(), IDB_TIME_CONSTANT_SELECTOR_FRAMES);
    gainKnob = addStrip<FilmstripKnob>(CompressorBase::kGain, {543, 163}, knobStrip.get(), IDB_KNOB_FRAMES);
    reductionNeedle = addStrip<FilmstripDisplay>(CompressorBase::kGainReductionMeter, {72, 105},
                                                 needleStrip.get(), IDB_GAIN_REDUCTION_NEEDLE_FRAMES);
    inputLampLeft = addStrip<FilmstripDisplay>(CompressorBase::kInputLeftMeter, {532, 27}, lampStrip.get(),
                                               IDB_INPUT_LAMP_FRAMES);
    inputLampRight = addStrip<FilmstripDisplay>(CompressorBase::kInputRightMeter, {584, 27}, lampStrip.get(),
                                                IDB_INPUT_LAMP_FRAMES);
    outputMeterLeft = addMeter(CompressorBase::kOutputLeftMeter, {527, 149});
    outputMeterRight = addMeter(CompressorBase::kOutputRightMeter, {623, 149});
}

// Starts the control at the plug-in's value for the index and hands it to the frame.
template <typename Kind> Kind* CompressorEditor::place(Kind* control, int32_t index) {
    if (!control) return nullptr;
    control->setValue(compressor.parameterValue(index));
    frame->addView(control);
    return control;
}

// A knob or a display: one frame of its film strip, tagged with its parameter or level.
template <typename Kind>
Kind* CompressorEditor::addStrip(int32_t index, Point topLeft, Bitmap* strip, int32_t frames) {
    const Rect bounds = frameRect(topLeft, strip, frames);
    const int32_t frameHeight = std::max(bounds.height(), 1);
    return place(new (std::nothrow) Kind(bounds, this, index, frames, frameHeight, strip, {0, 0}), index);
}

// The meters have no tag and no listener: they are reached only through their pointers.
LedMeter* CompressorEditor::addMeter(int32_t level, Point topLeft) {
    const Rect bounds{topLeft.x, topLeft.y, topLeft.x + widthOf(meterLit), topLeft.y + heightOf(meterLit)};
    return place(new (std::nothrow) LedMeter(bounds, meterLit.get(), meterUnlit.get(), kMeterSegments, 0),
                 level);
}

void CompressorEditor::forgetControls() {
    thresholdKnob = attackKnob = timeConstantSwitch = gainKnob = nullptr;
    inputLampLeft = inputLampRight = reductionNeedle = nullptr;
    outputMeterLeft = outputMeterRight = nullptr;
}

FilmstripKnob* CompressorEditor::knobFor(int32_t parameter) const {
    switch (parameter) {
    case CompressorBase::kThreshold:
        return thresholdKnob;
    case CompressorBase::kAttack:
        return attackKnob;
    case CompressorBase::kTimeConstant:
        return timeConstantSwitch;
    case CompressorBase::kGain:
        return gainKnob;
    default:
        return nullptr;
    }
}

void CompressorEditor::showLevel(Control* display, int32_t level) {
    if (display) display->setValue(compressor.parameterValue(level));
}

// The knobs take the values stored since the last idle, on this thread, where no close can race them.
void CompressorEditor::followParameters() {
    const uint32_t changed = changedParameters.exchange(0, std::memory_order_acquire);
    for (int32_t parameter = 0; parameter < kParameterCount; ++parameter)
        if (FilmstripKnob* knob = changed & 1u << parameter ? knobFor(parameter) : nullptr)
            knob->setValue(compressor.parameterValue(parameter));
}

// The lamps keep what they showed while their input is silent.
void CompressorEditor::idle() {
    followParameters();
    showLevel(reductionNeedle, CompressorBase::kGainReductionMeter);
    if (compressor.heldInputLeft() != 0.0f) showLevel(inputLampLeft, CompressorBase::kInputLeftMeter);
    if (compressor.heldInputRight() != 0.0f) showLevel(inputLampRight, CompressorBase::kInputRightMeter);
    showLevel(outputMeterLeft, CompressorBase::kOutputLeftMeter);
    showLevel(outputMeterRight, CompressorBase::kOutputRightMeter);
    GuiEditor::idle();
}

// The knob will show what the plug-in stored, which may differ from the value that was asked for.
void CompressorEditor::parameterChanged(int32_t index, float) {
    if (index >= 0 && index < kParameterCount)
        changedParameters.fetch_or(1u << index, std::memory_order_release);
    requestRefresh();
}

// The user's own change is on this thread: the control takes the stored value and is drawn at once.
void CompressorEditor::valueChanged(DrawContext* context, Control* control) {
    const int32_t parameter = control->tag();
    if (parameter < CompressorBase::kThreshold || parameter > CompressorBase::kGain) return;
    plugin.setParameterAndNotify(parameter, control->getValue());
    control->setValue(compressor.parameterValue(parameter));
    if (context) control->redrawIfDirty(context);
}

#include "editor/CompressorEditor.h"

#include "gui/Bitmap.h"
#include "gui/FilmstripDisplay.h"
#include "gui/FilmstripKnob.h"
#include "gui/Frame.h"
#include "gui/LedMeter.h"
#include "plugin/CompressorBase.h"

#include <algorithm>
#include <new>

namespace {

using panelLayout::kControls;
using panelLayout::Kind;

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
    load(background, panelLayout::kBackground.resource);
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
    load(background, panelLayout::kBackground.resource);
    for (size_t entry = 0; entry < std::size(pictures); ++entry)
        load(pictures[entry], panelLayout::kControlPictures[entry]->resource);
}

// A panel missing a picture would draw holes: the open fails instead.
bool CompressorEditor::bitmapsLoaded() const {
    const auto loaded = [](const BitmapReference& bitmap) { return bitmap && bitmap->loaded(); };
    return loaded(background) && std::all_of(std::begin(pictures), std::end(pictures), loaded);
}

void CompressorEditor::releaseBitmaps() {
    for (BitmapReference& picture : pictures)
        picture.reset(nullptr);
}

Bitmap* CompressorEditor::pictureOf(const panelLayout::Picture* picture) const {
    for (size_t entry = 0; entry < std::size(pictures); ++entry)
        if (panelLayout::kControlPictures[entry] == picture) return pictures[entry].get();
    return nullptr;
}

// In drawing order; each control starts from the plug-in's current value.
void CompressorEditor::addControls() {
    for (size_t row = 0; row < kControlCount; ++row)
        controls[row] = makeControl(kControls[row]);
}

Control* CompressorEditor::makeControl(const panelLayout::Placement& placement) {
    const Point topLeft{placement.left, placement.top};
    Bitmap* picture = pictureOf(placement.picture);
    switch (placement.kind) {
    case Kind::knob:
        return addStrip<FilmstripKnob>(placement.shows, topLeft, picture, placement.picture->frames);
    case Kind::display:
        return addStrip<FilmstripDisplay>(placement.shows, topLeft, picture, placement.picture->frames);
    case Kind::meter:
        return place(addMeter(topLeft, picture), placement.shows);
    }
    return nullptr;
}

// Starts the control at the plug-in's value for the index and hands it to the frame.
template <typename ControlType> ControlType* CompressorEditor::place(ControlType* control, int32_t index) {
    if (!control) return nullptr;
    control->setValue(compressor.parameterValue(index));
    frame->addView(control);
    return control;
}

// A knob or a display: one frame of its film strip, tagged with its parameter or level.
template <typename ControlType>
ControlType* CompressorEditor::addStrip(int32_t index, Point topLeft, Bitmap* strip, int32_t frames) {
    const Rect bounds = frameRect(topLeft, strip, frames);
    const int32_t frameHeight = std::max(bounds.height(), 1);
    return place(new (std::nothrow) ControlType(bounds, this, index, frames, frameHeight, strip, {0, 0}),
                 index);
}

// The meters have no tag and no listener: the editor reaches them through their row.
LedMeter* CompressorEditor::addMeter(Point topLeft, Bitmap* lit) {
    return new (std::nothrow) LedMeter(frameRect(topLeft, lit, 1), lit, pictureOf(&panelLayout::kMeterUnlit),
                                       panelLayout::kMeterSegments, 0);
}

void CompressorEditor::forgetControls() { std::fill(std::begin(controls), std::end(controls), nullptr); }

Control* CompressorEditor::knobFor(int32_t parameter) const {
    for (size_t row = 0; row < kControlCount; ++row)
        if (kControls[row].kind == Kind::knob && kControls[row].shows == parameter) return controls[row];
    return nullptr;
}

// The knobs take the values stored since the last idle, on this thread, where no close can race them.
void CompressorEditor::followParameters() {
    const uint32_t changed = changedParameters.exchange(0, std::memory_order_acquire);
    for (int32_t parameter = 0; parameter < CompressorBase::kParameterCount; ++parameter)
        if (Control* knob = changed & 1u << parameter ? knobFor(parameter) : nullptr)
            knob->setValue(compressor.parameterValue(parameter));
}

// The lamps keep what they showed while their input is silent.
bool CompressorEditor::levelIsLive(int32_t level) const {
    switch (level) {
    case CompressorBase::kInputLeftMeter:
        return compressor.heldInputLeft() != 0.0f;
    case CompressorBase::kInputRightMeter:
        return compressor.heldInputRight() != 0.0f;
    default:
        return true;
    }
}

void CompressorEditor::idle() {
    followParameters();
    for (size_t row = 0; row < kControlCount; ++row) {
        const int32_t level = kControls[row].shows;
        if (controls[row] && kControls[row].kind != Kind::knob && levelIsLive(level))
            controls[row]->setValue(compressor.parameterValue(level));
    }
    GuiEditor::idle();
}

// The knob will show what the plug-in stored, which may differ from the value that was asked for.
void CompressorEditor::parameterChanged(int32_t index, float) {
    if (index >= 0 && index < CompressorBase::kParameterCount)
        changedParameters.fetch_or(1u << index, std::memory_order_release);
    requestRefresh();
}

// The user's own change is on this thread: the control takes the stored value and is drawn at once.
void CompressorEditor::valueChanged(DrawContext* context, Control* control) {
    const int32_t parameter = control->tag();
    if (parameter < 0 || parameter >= CompressorBase::kParameterCount) return;
    plugin.setParameterAndNotify(parameter, control->getValue());
    if (!control->inOpenFrame()) return; // the host closed the panel, perhaps the plug-in, as it heard
    control->setValue(compressor.parameterValue(parameter));
    if (context) control->redrawIfDirty(context);
}

#include "gui/FilmstripKnob.h"

#include "gui/FilmstripFrames.h"

FilmstripKnob::FilmstripKnob(const Rect& bounds, ControlListener* changeListener, int32_t tag, int32_t frames,
                             int32_t height, Bitmap* backgroundBitmap, Point offset)
    : Knob(bounds, changeListener, tag, backgroundBitmap, nullptr, offset), frameCount(frames),
      frameHeight(height) {
    setInset(0);
}

// The strip is read from its top: the knob's face offset does not apply to it.
void FilmstripKnob::draw(DrawContext* context) {
    const Point source{0, knobFrameTop(value, frameCount, frameHeight, inverted)};
    drawBitmap(context, background.get(), boundsRect, source);
    markDirty(false);
}

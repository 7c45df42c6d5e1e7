#include "gui/FilmstripDisplay.h"

#include "gui/FilmstripFrames.h"

FilmstripDisplay::FilmstripDisplay(const Rect& bounds, ControlListener* changeListener, int32_t tag,
                                   int32_t frames, int32_t height, Bitmap* backgroundBitmap, Point offset)
    : Control(bounds, changeListener, tag, backgroundBitmap), bitmapOffset(offset), frameCount(frames),
      frameHeight(height) {}

void FilmstripDisplay::draw(DrawContext* context) {
    if (value > 1.0f) value = 1.0f;
    const Point source{bitmapOffset.x, bitmapOffset.y + displayFrameTop(value, frameCount, frameHeight)};
    drawBitmap(context, background.get(), boundsRect, source);
    markDirty(false);
}

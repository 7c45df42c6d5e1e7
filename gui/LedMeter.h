#pragma once
// A bar of segments over two pictures of the same size, one with every segment lit and one with every
// segment dark. The bar shows a rise of its level at once and falls by fallStep per redraw; the level it
// shows is kept in drawnValue, so the meter keeps asking to be redrawn until the bar meets its value. It
// takes no input and has no listener.

#include "gui/Control.h"

class LedMeter : public Control {
public:
    static constexpr int32_t kHorizontal = 1; // orientation bit: grows to the right, else upward

    // unlit may be null: only the lit part is then drawn.
    LedMeter(const Rect& bounds, Bitmap* lit, Bitmap* unlit, int32_t segmentCount, int32_t orientation);

    // Clamps the value, lowers the shown level by at most fallStep and draws the bar for it. Without a
    // lit picture nothing is drawn and the shown level stays.
    void draw(DrawContext* context) override;
    // A NaN level shows an empty bar, after which there is nothing more to draw for it.
    bool needsRedraw() override;
    // The flag only: the shown level is the meter's own.
    void markDirty(bool state) override { View::markDirty(state); }

    // Slot 51.
    virtual void setFallStep(float step) { fallStep = step; }

private:
    void drawBar(DrawContext* context, const Rect& unlitArea, Point unlitSource, const Rect& litArea,
                 Point litSource);
    void drawHorizontal(DrawContext* context);
    void drawVertical(DrawContext* context);

    BitmapReference litBitmap;
    BitmapReference unlitBitmap;
    int32_t segmentCount;
    int32_t orientation;
    float fallStep = 0.1f;
};

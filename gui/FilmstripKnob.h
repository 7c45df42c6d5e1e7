#pragma once
// A knob drawn as one frame of a vertical film strip instead of a face and a handle: the frame at or
// below its value, so a strip of a few frames makes a selector that snaps in its picture only.

#include "gui/Knob.h"

class FilmstripKnob : public Knob {
public:
    // frameHeight is the height of one frame; the strip's frames run top to bottom from the minimum.
    FilmstripKnob(const Rect& bounds, ControlListener* listener, int32_t tag, int32_t frameCount,
                  int32_t frameHeight, Bitmap* background, Point offset);

    // Values from 1 up show the maximum's frame.
    void draw(DrawContext* context) override;

    // Frames then run from the last at the minimum to the first at the maximum.
    void setInverted(bool state) { inverted = state; }

private:
    int32_t frameCount;
    int32_t frameHeight;
    bool inverted = false;
};

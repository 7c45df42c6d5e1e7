#pragma once
// A display of a level as one frame of a vertical film strip, the frame nearest to its value. It takes
// no input; the program gives it its value.

#include "gui/Control.h"

class FilmstripDisplay : public Control {
public:
    // Frame 0 lies at offset in the background; each frame is frameHeight rows below the last.
    FilmstripDisplay(const Rect& bounds, ControlListener* listener, int32_t tag, int32_t frameCount,
                     int32_t frameHeight, Bitmap* background, Point offset);

    // A value above 1 is brought down to 1 and kept so; 0 and below show frame 0. The display's bounds
    // are those of the strip, whatever the control's minimum and maximum say.
    void draw(DrawContext* context) override;

private:
    Point bitmapOffset;
    int32_t frameCount;
    int32_t frameHeight;
};

#include "FilmStrip.h"

#include "Quantiser.h"

Image16 renderFilmStrip(const Canvas& background, const Rect& placement, const ControlPainter& painter,
                        int frames) {
    Image16 strip(placement.width(), placement.height() * frames);
    for (int k = 0; k < frames; ++k) {
        Canvas frame(placement.width(), placement.height());
        frame.copyFrom(background, placement.left, placement.top);
        cairo_save(frame.context());
        painter.paint(frame.context(), static_cast<double>(k) / (frames - 1));
        cairo_restore(frame.context());
        strip.paste(quantise(frame), 0, k * placement.height());
    }
    return strip;
}

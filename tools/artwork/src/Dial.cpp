#include "Dial.h"

#include "Shapes.h"

double dialDegrees(double value) { return 225 - 270 * value; }

void paintDialScale(cairo_t* cr, const TextPainter& text, Point centre, const DialScale& scale) {
    const int labelled = static_cast<int>(scale.labels.size());
    const int ticks = (labelled - 1) * scale.ticksPerLabel + 1;
    const double minorInset = (scale.tickOuterRadius - scale.tickInnerRadius) * 0.45;

    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < ticks; ++i) {
        const bool major = i % scale.ticksPerLabel == 0;
        const double degrees = dialDegrees(static_cast<double>(i) / (ticks - 1));
        const Point inner = polar(centre, scale.tickInnerRadius, degrees);
        const Point outer = polar(centre, scale.tickOuterRadius - (major ? 0 : minorInset), degrees);
        cairo_set_line_width(cr, major ? 1.5 : 1.0);
        setColour(cr, scale.labelStyle.colour, major ? 1.0 : 0.7);
        cairo_move_to(cr, inner.x, inner.y);
        cairo_line_to(cr, outer.x, outer.y);
        cairo_stroke(cr);
    }
    for (int i = 0; i < labelled; ++i) {
        const double degrees = dialDegrees(static_cast<double>(i) / (labelled - 1));
        text.centredOn(cr, scale.labelStyle, polar(centre, scale.labelRadius, degrees), scale.labels[i]);
    }
}

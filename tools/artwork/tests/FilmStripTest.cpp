#include "FilmStrip.h"
#include "Quantiser.h"

#include <gtest/gtest.h>

namespace {

// Paints a white dot that moves right as the value grows.
class MovingDot : public ControlPainter {
public:
    void paint(cairo_t* cr, double value) const override {
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_rectangle(cr, 1 + value * 4, 1, 1, 1);
        cairo_fill(cr);
    }
};

// A background with a gradient, so dithering shows wherever its phase is wrong.
void paintGradient(Canvas& canvas) {
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, canvas.width(), canvas.height());
    cairo_pattern_add_color_stop_rgb(gradient, 0, 0.2, 0.3, 0.4);
    cairo_pattern_add_color_stop_rgb(gradient, 1, 0.6, 0.5, 0.3);
    cairo_set_source(canvas.context(), gradient);
    cairo_paint(canvas.context());
    cairo_pattern_destroy(gradient);
}

const Rect placement{5, 3, 13, 9};

TEST(FilmStrip, StacksOneFrameOfThePlacementSizePerValue) {
    Canvas panel(20, 12);
    const Image16 strip = renderFilmStrip(panel, placement, MovingDot(), 5);
    EXPECT_EQ(strip.width, 8);
    EXPECT_EQ(strip.height, 30);
}

TEST(FilmStrip, MatchesThePanelPixelForPixelWhereTheControlLeavesItBare) {
    Canvas panel(20, 12);
    paintGradient(panel);
    const Image16 under = quantise(panel, placement);
    const Image16 strip = renderFilmStrip(panel, placement, MovingDot(), 5);
    for (int frame = 0; frame < 5; ++frame)
        for (int y = 2; y < placement.height(); ++y) // rows below the dot
            for (int x = 0; x < placement.width(); ++x)
                ASSERT_EQ(strip.at(x, frame * placement.height() + y), under.at(x, y))
                    << "frame " << frame << " x " << x << " y " << y;
}

TEST(FilmStrip, ShowsFrameKAtValueKOverFramesMinusOne) {
    Canvas panel(20, 12);
    const Image16 strip = renderFilmStrip(panel, placement, MovingDot(), 5);
    const std::uint16_t white = pack555(31, 31, 31);
    for (int frame = 0; frame < 5; ++frame)
        EXPECT_EQ(strip.at(1 + frame, frame * placement.height() + 1), white) << "frame " << frame;
}

} // namespace

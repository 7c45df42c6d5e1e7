#include "Quantiser.h"

#include <gtest/gtest.h>

namespace {

void fill(Canvas& canvas, unsigned grey) {
    cairo_set_source_rgb(canvas.context(), grey / 255.0, grey / 255.0, grey / 255.0);
    cairo_paint(canvas.context());
}

TEST(Quantiser, LeavesExactFiveBitLevelsUndisturbedByDither) {
    for (unsigned level = 0; level < 32; ++level)
        for (int dither = 0; dither < 16; ++dither)
            ASSERT_EQ(quantiseChannel(widen5(level), dither), level)
                << "level " << level << " dither " << dither;
}

TEST(Quantiser, ReachesBothEndsOfTheRange) {
    for (int dither = 0; dither < 16; ++dither) {
        EXPECT_EQ(quantiseChannel(0, dither), 0u);
        EXPECT_EQ(quantiseChannel(255, dither), 31u);
    }
}

TEST(Quantiser, DithersAValueBetweenLevelsToItsAverage) {
    Canvas canvas(4, 4);
    const unsigned between = (widen5(12) + widen5(13)) / 2;
    fill(canvas, between);
    const Image16 image = quantise(canvas);
    double sum = 0;
    for (std::uint16_t pixel : image.pixels) {
        const unsigned blue = pixel & 31;
        ASSERT_TRUE(blue == 12 || blue == 13);
        sum += widen5(blue);
    }
    EXPECT_NEAR(sum / image.pixels.size(), between, 1.5);
}

TEST(Quantiser, StartsTheDitherPatternAtTheRegionCorner) {
    Canvas canvas(9, 7);
    fill(canvas, 101);
    const Image16 whole = quantise(canvas, Rect{0, 0, 4, 4});
    const Image16 shifted = quantise(canvas, Rect{3, 2, 7, 6});
    EXPECT_EQ(whole.pixels, shifted.pixels);
}

TEST(Quantiser, PacksRedGreenBlueIntoFiveBitFields) {
    Canvas canvas(1, 1);
    cairo_set_source_rgb(canvas.context(), 1, 0, widen5(10) / 255.0);
    cairo_paint(canvas.context());
    EXPECT_EQ(quantise(canvas).at(0, 0), pack555(31, 0, 10));
}

} // namespace

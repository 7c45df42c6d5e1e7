#include "MeterBarPainter.h"

#include <gtest/gtest.h>

namespace {

struct Rgb {
    unsigned red, green, blue;
};

Rgb channels(std::uint16_t pixel) { return {(pixel >> 10) & 31u, (pixel >> 5) & 31u, pixel & 31u}; }

unsigned brightness(std::uint16_t pixel) {
    const Rgb c = channels(pixel);
    return c.red + c.green + c.blue;
}

constexpr int middleColumn = 1;

TEST(MeterBar, IsFourByFortyFour) {
    const Image16 bar = meterBar::paint(true);
    EXPECT_EQ(bar.width, 4);
    EXPECT_EQ(bar.height, 44);
}

TEST(MeterBar, SeparatesSegmentsOfThreeRowsWithOneDarkRow) {
    const Image16 lit = meterBar::paint(true);
    for (int segment = 0; segment < meterBar::segments; ++segment) {
        const int top = segment * meterBar::rowsPerSegment;
        for (int x = 0; x < meterBar::width; ++x)
            EXPECT_LE(brightness(lit.at(x, top)), 3u) << "segment " << segment;
        for (int row = 1; row < meterBar::rowsPerSegment; ++row)
            EXPECT_GT(brightness(lit.at(middleColumn, top + row)), 40u)
                << "segment " << segment << " row " << row;
    }
}

TEST(MeterBar, LightsTheUpperThreeSegmentsAmberAndTheLowerEightGreen) {
    const Image16 lit = meterBar::paint(true);
    for (int segment = 0; segment < meterBar::segments; ++segment) {
        const Rgb c = channels(lit.at(middleColumn, segment * meterBar::rowsPerSegment + 2));
        if (segment < 3)
            EXPECT_GT(c.red, c.blue + 15) << "amber segment " << segment;
        else
            EXPECT_GT(c.green, c.red + 10) << "green segment " << segment;
    }
}

TEST(MeterBar, ShowsEveryUnlitRowDarkerThanItsLitCounterpart) {
    const Image16 lit = meterBar::paint(true);
    const Image16 unlit = meterBar::paint(false);
    for (int y = 0; y < meterBar::height; ++y) {
        if (y % meterBar::rowsPerSegment == 0) continue;
        EXPECT_LT(brightness(unlit.at(middleColumn, y)) * 3, brightness(lit.at(middleColumn, y)))
            << "row " << y;
    }
}

} // namespace

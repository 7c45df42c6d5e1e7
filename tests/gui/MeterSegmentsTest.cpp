// The meter's shown level from redraw to redraw, and the edges between its lit and unlit segments.

#include "gui/MeterSegments.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(MeterSegmentsTest, AFallTakesTenRedrawsOfOneTenth) {
    float shown = 1.0f;
    for (int redraw = 1; redraw <= 10; ++redraw) {
        shown = nextShownLevel(shown, 0.0f, 0.1f);
        EXPECT_NEAR(shown, 1.0f - float(redraw) * 0.1f, 1e-5) << "redraw " << redraw;
        if (redraw < 10) {
            EXPECT_GT(shown, 0.0f) << "reached the level early, at redraw " << redraw;
        }
    }
    EXPECT_EQ(shown, 0.0f);
    EXPECT_EQ(nextShownLevel(shown, 0.0f, 0.1f), 0.0f) << "the settled level stays";
}

TEST(MeterSegmentsTest, ARiseIsShownAtOnce) { EXPECT_EQ(nextShownLevel(0.2f, 0.8f, 0.1f), 0.8f); }

TEST(MeterSegmentsTest, LevelsThatCannotFallStepwiseSettleAtOnce) {
    EXPECT_EQ(nextShownLevel(0.7f, std::nanf(""), 0.1f), 0.0f) << "a NaN level shows nothing";
    EXPECT_EQ(nextShownLevel(std::nanf(""), 0.3f, 0.1f), 0.3f) << "a NaN shown level";
    EXPECT_EQ(nextShownLevel(0.9f, 0.3f, 0.0f), 0.3f) << "no fall step";
    EXPECT_EQ(nextShownLevel(0.9f, 0.3f, -0.1f), 0.3f) << "a negative fall step";
}

TEST(MeterSegmentsTest, TenSegmentsOverFortyFourRowsEndOnWholeRows) {
    const int32_t expected[] = {0, 4, 8, 13, 17, 22, 26, 30, 35, 39, 44};
    for (int32_t k = 0; k <= 10; ++k)
        EXPECT_EQ(segmentEdge(float(k) / 10.0f, 10, 44), expected[k]) << k << " segments";
}

struct EdgeCase {
    float fraction;
    int32_t segments;
    int32_t expected;
};

// The fraction rounds to whole segments; anything outside 0..1 stays on the picture.
TEST(MeterSegmentsTest, FractionsRoundToWholeSegmentsWithinThePicture) {
    const EdgeCase cases[] = {
        {0.38f, 10, 17}, {0.34f, 10, 13},        {0.35f, 10, 17}, {1.5f, 10, 44},
        {-0.3f, 10, 0},  {std::nanf(""), 10, 0}, {0.5f, 0, 0},    {0.5f, -3, 0},
    };
    for (const EdgeCase& c : cases)
        EXPECT_EQ(segmentEdge(c.fraction, c.segments, 44), c.expected)
            << "fraction " << c.fraction << ", " << c.segments << " segments";
}

} // namespace

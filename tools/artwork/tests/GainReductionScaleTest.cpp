#include "GainReductionScale.h"
#include "Shapes.h"

#include <gtest/gtest.h>

namespace {

using namespace gainReduction;

TEST(GainReductionScale, PlacesDecibelsWhereOneMinusGainPointsTheNeedle) {
    EXPECT_DOUBLE_EQ(travelFraction(0), 0);
    EXPECT_NEAR(travelFraction(6), 0.49881, 1e-5);
    EXPECT_NEAR(travelFraction(20), 0.9, 1e-12);
}

TEST(GainReductionScale, RestsAtTheLeftAndSwingsRightThroughTheTop) {
    EXPECT_DOUBLE_EQ(needleDegrees(0), 90 + halfSweepDegrees);
    EXPECT_DOUBLE_EQ(needleDegrees(0.5), 90);
    EXPECT_DOUBLE_EQ(needleDegrees(1), 90 - halfSweepDegrees);
}

// Each needle frame is cut to its rectangle: a tip outside it would be lost at the ends of travel.
TEST(GainReductionScale, KeepsTheNeedleTipInsideItsRectangleOverTheWholeTravel) {
    const Rect& area = layout::gainReductionNeedle;
    for (double fraction : {0.0, 0.25, 0.5, 0.75, 1.0}) {
        const Point tip = polar(pivot, needleLength, needleDegrees(fraction));
        EXPECT_GT(tip.x, area.left + 1) << "fraction " << fraction;
        EXPECT_LT(tip.x, area.right - 2) << "fraction " << fraction;
        EXPECT_GT(tip.y, area.top) << "fraction " << fraction;
        EXPECT_LT(tip.y, area.bottom) << "fraction " << fraction;
    }
}

TEST(GainReductionScale, HidesThePivotUnderTheShroud) { EXPECT_GT(pivot.y, shroudTop); }

} // namespace

#include "Dial.h"
#include "Shapes.h"

#include <gtest/gtest.h>

namespace {

TEST(Dial, TurnsClockwiseFromLowerLeftThroughTopToLowerRight) {
    EXPECT_DOUBLE_EQ(dialDegrees(0), 225);
    EXPECT_DOUBLE_EQ(dialDegrees(0.5), 90);
    EXPECT_DOUBLE_EQ(dialDegrees(1), -45);
    EXPECT_DOUBLE_EQ(dialDegrees(0.4), 117); // the selector's third position
}

TEST(Dial, PolarAnglesGrowCounterClockwiseOnAScreenWhoseYRunsDown) {
    const Point up = polar({10, 10}, 5, 90);
    EXPECT_NEAR(up.x, 10, 1e-9);
    EXPECT_NEAR(up.y, 5, 1e-9);
    const Point lowerLeft = polar({10, 10}, 5, dialDegrees(0));
    EXPECT_LT(lowerLeft.x, 10);
    EXPECT_GT(lowerLeft.y, 10);
}

} // namespace

// The knob's angle model on a 66-pixel knob: points to values with the dead zone for both turning
// directions, and handle points that lie where the value's angle says.

#include "gui/KnobGeometry.h"

#include "tests/gui/GeometryOutput.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float kRadius = 33.0f;
constexpr float kClockwise = -4.712389f;
constexpr float kCounterClockwise = 4.712389f;
constexpr float kLowerLeft = 3.9269907f;  // 225 degrees
constexpr float kLowerRight = 5.4977871f; // 315 degrees

struct PointCase {
    const char* where;
    Point point;
    float expected;
};

// The default knob turns clockwise from the lower left through the top to the lower right; the
// mirrored one counter-clockwise from the lower right through the top to the lower left. (56, 52) lies
// 5.4 degrees inside the lower right end.
TEST(KnobGeometryTest, PointsGiveTheValueOfTheirAngleAndTheNearEndInTheDeadZone) {
    const PointCase clockwise[] = {
        {"top", {33, 0}, 0.5f},
        {"lower left", {13, 53}, 0.0f},
        {"lower right", {53, 53}, 1.0f},
        {"left", {0, 33}, 1.0f / 6},
        {"right", {66, 33}, 5.0f / 6},
        {"dead zone, left half", {32, 66}, 0.0f},
        {"dead zone, right half", {34, 66}, 1.0f},
        {"just inside the maximum", {56, 52}, 0.9799f},
    };
    const PointCase counterClockwise[] = {
        {"top", {33, 0}, 0.5f},
        {"lower right", {53, 53}, 0.0f},
        {"lower left", {13, 53}, 1.0f},
        {"right", {66, 33}, 1.0f / 6},
        {"left", {0, 33}, 5.0f / 6},
        {"dead zone, right half", {34, 66}, 0.0f},
        {"dead zone, left half", {32, 66}, 1.0f},
        {"just inside the minimum", {56, 52}, 0.0201f},
    };
    KnobGeometry standard(kRadius, 0.0f, 1.0f);
    KnobGeometry mirrored(kRadius, 0.0f, 1.0f);
    mirrored.setStartAngle(kLowerRight, 0.0f, 1.0f);
    mirrored.setRangeAngle(kCounterClockwise, 0.0f, 1.0f);
    for (const PointCase& c : clockwise)
        EXPECT_NEAR(standard.pointToValue(c.point, 0.0f, 1.0f), c.expected, 2e-3)
            << "clockwise, " << c.where << " " << c.point;
    for (const PointCase& c : counterClockwise)
        EXPECT_NEAR(mirrored.pointToValue(c.point, 0.0f, 1.0f), c.expected, 2e-3)
            << "counter-clockwise, " << c.where << " " << c.point;
}

TEST(KnobGeometryTest, ValuesFollowTheRangeOfTheMomentTheAnglesWereSet) {
    KnobGeometry knob(kRadius, 10.0f, 20.0f);
    EXPECT_NEAR(knob.pointToValue({33, 0}, 10.0f, 20.0f), 15.0f, 1e-4);
    EXPECT_NEAR(knob.pointToValue({32, 66}, 10.0f, 20.0f), 10.0f, 1e-4);
    EXPECT_NEAR(knob.pointToValue({34, 66}, 10.0f, 20.0f), 20.0f, 1e-4);
}

struct HandleCase {
    float value;
    Point expected;
};

// 30 pixels from the centre (33, 33) at 225 degrees minus 270 degrees per unit of value.
TEST(KnobGeometryTest, TheHandleLiesAtTheValuesAngleInsideTheRim) {
    const HandleCase cases[] = {
        {0.0f, {12, 54}}, {1.0f / 6, {3, 33}}, {0.5f, {33, 3}}, {5.0f / 6, {63, 33}}, {1.0f, {54, 54}},
    };
    KnobGeometry knob(kRadius, 0.0f, 1.0f);
    for (const HandleCase& c : cases)
        EXPECT_EQ(knob.handlePoint(c.value), c.expected) << "value " << c.value;
    knob.setInset(13);
    EXPECT_EQ(knob.handlePoint(0.5f), (Point{33, 13})) << "a deeper inset";
}

// Whatever the direction, pointing at the handle of a value gives that value back.
TEST(KnobGeometryTest, PointingAtTheHandleGivesItsValueInBothDirections) {
    const float ranges[] = {kClockwise, kCounterClockwise};
    const float starts[] = {kLowerLeft, kLowerRight};
    for (int direction = 0; direction < 2; ++direction) {
        KnobGeometry knob(kRadius, 0.0f, 1.0f);
        knob.setStartAngle(starts[direction], 0.0f, 1.0f);
        knob.setRangeAngle(ranges[direction], 0.0f, 1.0f);
        for (int step = 0; step <= 20; ++step) {
            const float value = float(step) / 20.0f;
            const Point handle = knob.handlePoint(value);
            EXPECT_NEAR(knob.pointToValue(handle, 0.0f, 1.0f), value, 0.03)
                << "range " << ranges[direction] << ", value " << value << " at " << handle;
        }
    }
}

TEST(KnobGeometryTest, ValuesWithoutAnAngleAreHeldSafely) {
    KnobGeometry knob(kRadius, 0.0f, 1.0f);
    EXPECT_EQ(knob.handlePoint(std::nanf("")), (Point{33, 33})) << "a NaN value sits at the centre";
    knob.setRangeAngle(0.0f, 0.0f, 1.0f);
    EXPECT_EQ(knob.handlePoint(0.5f), (Point{33, 33})) << "a knob without a range";
    EXPECT_EQ(knob.pointToValue({33, 0}, 0.0f, 1.0f), 0.0f) << "a knob without a range stays at its minimum";
}

} // namespace

// The drag and step arithmetic over the whole 1/200 grid of a 0..1 knob: whole pixels and whole steps
// from a grid value land on the float nearest the grid point they reach, which is also the float a
// host's six-digit text of the value reads back as.

#include "gui/KnobDrag.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int32_t kSteps = 200;
constexpr float kFineFactor = 1.5f;

float gridValue(int32_t step) { return float(double(step) / kSteps); }

// The value as a host keeps it in a saved project: text with six significant digits, read back.
float throughHostText(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", double(value));
    return std::strtof(text, nullptr);
}

float linearDrag(float start, int32_t pixelsUp, bool fine) {
    LinearDrag drag({100, 100}, start, 1.0f, kFineFactor, fine);
    return drag.follow({100, 100 - pixelsUp}, fine);
}

TEST(KnobDragTest, WholePixelsFromAGridValueLandOnTheGrid) {
    for (int32_t from = 0; from <= kSteps; ++from)
        for (int32_t to = 0; to <= kSteps; ++to) {
            const float reached = linearDrag(gridValue(from), to - from, false);
            ASSERT_EQ(reached, gridValue(to)) << "from " << from << "/200 to " << to << "/200";
            ASSERT_EQ(throughHostText(reached), reached) << "from " << from << "/200 to " << to << "/200";
        }
}

// With shift three pixels make two grid steps.
TEST(KnobDragTest, FinePixelsFromAGridValueLandOnTheGridEveryThirdPixel) {
    for (int32_t from = 0; from <= kSteps; ++from)
        for (int32_t to = from % 2; to <= kSteps; to += 2)
            ASSERT_EQ(linearDrag(gridValue(from), (to - from) / 2 * 3, true), gridValue(to))
                << "from " << from << "/200 to " << to << "/200";
}

TEST(KnobDragTest, ShiftMidDragRebasesOntoTheGrid) {
    LinearDrag drag({0, 0}, 0.25f, 1.0f, kFineFactor, false);
    EXPECT_EQ(drag.follow({0, -50}, false), 0.5f);
    EXPECT_EQ(drag.follow({0, -50}, true), 0.5f) << "no jump when shift goes down";
    EXPECT_EQ(drag.follow({0, -80}, true), 0.6f) << "30 pixels at 1/300";
    EXPECT_EQ(drag.follow({0, -80}, false), 0.6f) << "no jump when shift goes up";
    EXPECT_EQ(drag.follow({0, -100}, false), 0.7f) << "20 pixels at 1/200";
}

// The wheel's and the keys' steps: a tenth, or with shift a hundredth, as the knob makes them.
TEST(KnobDragTest, WholeStepsFromAGridValueLandOnTheGrid) {
    const ValueGrid grid(1.0f);
    const struct {
        float delta;
        double scale;
        int32_t gridSteps;
    } steps[] = {{0.1f, 1.0, 20}, {-0.1f, 1.0, -20}, {0.1f, 0.1, 2}, {-0.1f, 0.1, -2}, {0.3f, 1.0, 60}};
    for (const auto& step : steps)
        for (int32_t from = 0; from <= kSteps; ++from) {
            const int32_t to = from + step.gridSteps;
            if (to < 0 || to > kSteps) continue;
            ASSERT_EQ(grid.moved(gridValue(from), grid.steps(step.delta) * step.scale), gridValue(to))
                << "from " << from << "/200 by " << step.delta << " x " << step.scale;
        }
}

TEST(KnobDragTest, ValuesOffTheGridKeepTheirPlaceBetweenTwoPoints) {
    const ValueGrid grid(1.0f);
    const float belowABoundary = std::nextafter(0.4f, 0.0f);
    EXPECT_DOUBLE_EQ(grid.steps(0.3127f), double(0.3127f) * 200);
    EXPECT_EQ(grid.value(grid.steps(belowABoundary)), belowABoundary);
    EXPECT_EQ(grid.moved(belowABoundary, 1.0), float(double(belowABoundary) + 0.005));
    EXPECT_TRUE(std::isnan(grid.value(grid.steps(NAN))));
    EXPECT_EQ(ValueGrid(0.0f).moved(0.5f, 20.0), 0.6f) << "no span: steps of 1/200";
}

} // namespace

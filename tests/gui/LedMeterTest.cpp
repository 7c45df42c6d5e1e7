// The segment meter over the panel's 4 x 44 pictures: which rows come from the lit and which from the
// unlit picture, its fall from redraw to redraw, and the levels it cannot show.

#include "gui/LedMeter.h"

#include "gui/Bitmap.h"
#include "resources/ResourceIds.h"
#include "tests/gui/ControlHarness.h"

#include <cmath>

namespace {

constexpr Rect kBounds{3, 2, 7, 46};
constexpr Pixel kPaper = rgb(1, 2, 3);

class LedMeterTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        lit = new Bitmap(IDB_METER_LIT);
        unlit = new Bitmap(IDB_METER_UNLIT);
    }
    void TearDown() override {
        lit->releaseReference();
        unlit->releaseReference();
        ControlTest::TearDown();
    }
    // Redraws as the frame's idle does, then tells for every pixel of the bounds whether it came from
    // the lit picture (L), the unlit one (U) or neither (?), one string per row or column.
    std::vector<std::string> redraw(LedMeter& meter) {
        canvas.fill(kPaper);
        DrawContext context(nullptr, canvas.device(), nullptr);
        meter.redrawIfDirty(&context);
        std::vector<std::string> lines;
        for (int y = kBounds.top; y < kBounds.bottom; ++y) {
            std::string line;
            for (int x = kBounds.left; x < kBounds.right; ++x) {
                const Pixel seen = canvas.at(x, y);
                const bool fromLit = seen == litPixels.at(x - kBounds.left, y - kBounds.top);
                const bool fromUnlit = seen == unlitPixels.at(x - kBounds.left, y - kBounds.top);
                line += fromLit && !fromUnlit ? 'L' : fromUnlit && !fromLit ? 'U' : fromLit ? '=' : '?';
            }
            lines.push_back(line);
        }
        return lines;
    }
    // The meter showing level as settled, due for a redraw.
    static void steadyAt(LedMeter& meter, float level) {
        meter.setValue(level);
        meter.setDrawnValue(level);
        meter.markDirty(true);
    }
    // Every row above edge from the unlit picture, every row from edge on from the lit one.
    ::testing::AssertionResult splitAt(const std::vector<std::string>& rows, int edge) {
        for (int y = 0; y < int(rows.size()); ++y)
            if (rows[y].find(y < edge ? 'L' : 'U') != std::string::npos ||
                rows[y].find('?') != std::string::npos)
                return ::testing::AssertionFailure() << "row " << y << " is " << rows[y] << ", edge " << edge;
        return ::testing::AssertionSuccess();
    }

    Bitmap* lit = nullptr;
    Bitmap* unlit = nullptr;
    const PixelGrid litPixels = resourcePixels(IDB_METER_LIT);
    const PixelGrid unlitPixels = resourcePixels(IDB_METER_UNLIT);
    Canvas canvas{12, 50};
};

TEST_F(LedMeterTest, TheTwoPicturesDifferInEverySegment) {
    for (int segment = 0; segment < 10; ++segment) {
        bool differs = false;
        const int top = segment * 44 / 10, bottom = (segment + 1) * 44 / 10;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < 4; ++x)
                differs |= litPixels.at(x, y) != unlitPixels.at(x, y);
        EXPECT_TRUE(differs) << "rows " << top << " to " << bottom - 1;
    }
}

// A steady level, and a rise at the next redraw, show the rows from the level's edge on lit; a level above
// the maximum is clamped to it.
TEST_F(LedMeterTest, ASteadyLevelOrARiseLightsTheRowsBelowItsEdgeUpToTheTop) {
    LedMeter meter(kBounds, lit, unlit, 10, 0);
    steadyAt(meter, 0.62f);
    EXPECT_TRUE(splitAt(redraw(meter), 17)) << "at 0.62: rows 0 to 16 unlit, 17 to 43 lit";
    EXPECT_EQ(canvas.at(2, 20), kPaper);
    EXPECT_EQ(canvas.at(7, 20), kPaper);
    meter.setValue(0.8f);
    EXPECT_TRUE(splitAt(redraw(meter), 8)) << "a rise to 0.8 shows in full";
    EXPECT_EQ(meter.getDrawnValue(), 0.8f);
    EXPECT_FALSE(meter.needsRedraw());
    meter.setValue(1.8f);
    EXPECT_TRUE(splitAt(redraw(meter), 0)) << "above the maximum";
    EXPECT_EQ(meter.getValue(), 1.0f);
}

// From 1.0 to 0.0 the shown level drops a tenth per redraw, one segment at a time, then stays; segment
// k of the 44 rows starts at row k * 44 / 10.
TEST_F(LedMeterTest, AFallToZeroTakesTenRedrawsThroughEverySegmentBoundary) {
    LedMeter meter(kBounds, lit, unlit, 10, 0);
    meter.setValue(0.0f);
    for (int redraws = 1; redraws <= 10; ++redraws) {
        ASSERT_TRUE(meter.needsRedraw()) << "settled early, before redraw " << redraws;
        EXPECT_TRUE(splitAt(redraw(meter), redraws * 44 / 10)) << "redraw " << redraws;
    }
    EXPECT_EQ(meter.getDrawnValue(), 0.0f);
    EXPECT_FALSE(meter.needsRedraw());
}

TEST_F(LedMeterTest, ANaNLevelShowsNothingLitAndThenRestsUntilANewLevel) {
    LedMeter meter(kBounds, lit, unlit, 10, 0);
    meter.setValue(std::nanf(""));
    ASSERT_TRUE(meter.needsRedraw());
    EXPECT_TRUE(splitAt(redraw(meter), 44));
    EXPECT_FALSE(meter.needsRedraw()) << "a NaN level would redraw forever";
    meter.setValue(0.5f);
    EXPECT_TRUE(meter.needsRedraw());
    EXPECT_TRUE(splitAt(redraw(meter), 22));
}

// The horizontal meter over the same pictures, in four segments of one column each.
TEST_F(LedMeterTest, AHorizontalMeterLightsFromTheLeftEdge) {
    LedMeter meter(kBounds, lit, unlit, 4, LedMeter::kHorizontal);
    steadyAt(meter, 0.5f);
    const std::vector<std::string> rows = redraw(meter);
    const bool picturesDiffer =
        litPixels.at(0, 1) != unlitPixels.at(0, 1) && litPixels.at(3, 1) != unlitPixels.at(3, 1);
    ASSERT_TRUE(picturesDiffer) << "row 1 cannot tell the pictures apart";
    EXPECT_EQ(rows[1], "LLUU");
}

TEST_F(LedMeterTest, WithoutALitPictureNothingIsDrawnAndTheLevelStays) {
    LedMeter meter(kBounds, nullptr, unlit, 10, 0);
    meter.setValue(0.0f);
    redraw(meter);
    EXPECT_EQ(canvas.at(4, 10), kPaper);
    EXPECT_EQ(meter.getDrawnValue(), 1.0f);
}

TEST_F(LedMeterTest, WithoutAnUnlitPictureOnlyTheLitPartIsDrawn) {
    LedMeter meter(kBounds, lit, nullptr, 10, 0);
    steadyAt(meter, 0.5f);
    redraw(meter);
    EXPECT_EQ(canvas.at(4, kBounds.top + 10), kPaper);
    EXPECT_EQ(canvas.at(4, kBounds.top + 30), litPixels.at(1, 30));
}

TEST_F(LedMeterTest, TheMeterHoldsOneReferenceOnEachPictureAndTakesNoInput) {
    auto* meter = new LedMeter(kBounds, lit, unlit, 10, 0);
    EXPECT_EQ(lit->referenceCount(), 2);
    EXPECT_EQ(unlit->referenceCount(), 2);
    meter->setValue(0.3f);
    frame->addView(meter);
    expectTakesNoInput(*meter, {5, 20});
    frame->removeView(meter, true);
    EXPECT_EQ(lit->referenceCount(), 1);
    EXPECT_EQ(unlit->referenceCount(), 1);
}

} // namespace

// The control base: when it asks to be redrawn, how marking works around -1 and NaN, clamping, the
// background's reference and the idle it pumps through its frame.

#include "gui/Control.h"

#include "gui/Bitmap.h"
#include "resources/ResourceIds.h"
#include "tests/gui/ControlHarness.h"

#include <cmath>
#include <limits>

namespace {

// The base draws nothing itself; this one only counts.
class PlainControl final : public Control {
public:
    using Control::Control;
    void draw(DrawContext*) override {
        ++draws;
        markDirty(false);
    }
    int draws = 0;
};

const float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST_F(ControlTest, ANewControlStartsWithItsDefaultsAndAsksToBeDrawn) {
    PlainControl control({0, 0, 10, 10}, nullptr, 7, nullptr);
    EXPECT_EQ(control.tag(), 7);
    EXPECT_EQ(control.getDrawnValue(), 1.0f);
    EXPECT_EQ(control.getValue(), 0.0f);
    EXPECT_EQ(control.getDefaultValue(), 0.5f);
    EXPECT_EQ(control.getMinimum(), 0.0f);
    EXPECT_EQ(control.getMaximum(), 1.0f);
    EXPECT_EQ(control.getWheelStep(), 0.1f);
    EXPECT_TRUE(control.mouseEnabled());
    EXPECT_FALSE(control.isTransparent());
    EXPECT_TRUE(control.needsRedraw());
    control.redrawIfDirty(nullptr);
    EXPECT_EQ(control.draws, 1);
    EXPECT_FALSE(control.needsRedraw());
    control.setValue(0.3f);
    EXPECT_TRUE(control.needsRedraw()) << "a new value";
}

struct MarkCase {
    float value;
    float drawnWhenMarked;
};

TEST_F(ControlTest, MarkingPutsTheDrawnValueOutOfStepEvenForMinusOneAndNaN) {
    const MarkCase cases[] = {{0.5f, -1.0f}, {-1.0f, 0.0f}, {0.0f, -1.0f}, {kNaN, -1.0f}};
    for (const MarkCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "value " << c.value);
        PlainControl control({0, 0, 10, 10}, nullptr, 0, nullptr);
        control.setValue(c.value);
        control.markDirty(true);
        EXPECT_EQ(control.getDrawnValue(), c.drawnWhenMarked);
        EXPECT_TRUE(control.needsRedraw());
        control.markDirty(false);
        EXPECT_EQ(control.needsRedraw(), std::isnan(c.value)) << "NaN is never in step";
    }
}

struct ClampCase {
    float minimum, maximum, value, expected;
};

TEST_F(ControlTest, ClampingKeepsTheValueInItsRangeOnlyWhenAsked) {
    const ClampCase cases[] = {
        {0, 1, 1.5f, 1.0f}, {0, 1, -0.5f, 0.0f},      {0, 1, 1.0f, 1.0f},       {0, 1, 0.0f, 0.0f},
        {0, 1, 0.4f, 0.4f}, {0.8f, 0.2f, 0.9f, 0.2f}, {0.8f, 0.2f, 0.5f, 0.2f}, {0.8f, 0.2f, 0.1f, 0.8f},
    };
    for (const ClampCase& c : cases) {
        PlainControl control({0, 0, 10, 10}, nullptr, 0, nullptr);
        control.setMinimum(c.minimum);
        control.setMaximum(c.maximum);
        control.setValue(c.value);
        EXPECT_EQ(control.getValue(), c.value) << "setValue does not clamp";
        control.clampValue();
        EXPECT_EQ(control.getValue(), c.expected) << c.value << " in " << c.minimum << ".." << c.maximum;
    }
    PlainControl control({0, 0, 10, 10}, nullptr, 0, nullptr);
    control.setValue(kNaN);
    control.clampValue();
    EXPECT_TRUE(std::isnan(control.getValue()));
}

TEST_F(ControlTest, TheControlHoldsOneReferenceOnItsBackground) {
    auto* first = new Bitmap(IDB_METER_LIT);
    auto* second = new Bitmap(IDB_METER_UNLIT);
    auto* control = new PlainControl({0, 0, 10, 10}, nullptr, 0, first);
    EXPECT_EQ(first->referenceCount(), 2);
    first->releaseReference();
    control->setBackground(first);
    EXPECT_EQ(first->referenceCount(), 1) << "the bitmap already held";
    EXPECT_EQ(control->getBackground(), first);
    first->addReference();
    control->setBackground(second);
    EXPECT_EQ(first->referenceCount(), 1);
    EXPECT_EQ(second->referenceCount(), 2);
    control->releaseReference();
    EXPECT_EQ(second->referenceCount(), 1);
    first->releaseReference();
    second->releaseReference();
}

TEST_F(ControlTest, PumpIdleReachesTheEditorOnlyInAFrame) {
    auto* control = new PlainControl({0, 0, 10, 10}, nullptr, 0, nullptr);
    control->pumpIdle();
    EXPECT_EQ(editor->pumps, 0);
    frame->addView(control);
    control->pumpIdle();
    EXPECT_EQ(editor->pumps, 1);
}

} // namespace

// The knob under a scripted pointer in a real frame: linear and circular drags with their modifiers,
// the edit notices around each drag, control-click, the wheel and the arrow keys, and its drawing.

#include "gui/Knob.h"

#include "gui/Bitmap.h"
#include "resources/ResourceIds.h"
#include "tests/gui/ControlHarness.h"
#include "tests/gui/GeometryOutput.h"

#include <cmath>

namespace {

constexpr int32_t kTag = 3;
constexpr Rect kBounds{220, 98, 286, 164}; // 66 x 66, as the panel's knobs
constexpr Point kCentre{253, 131};
constexpr int32_t kPress = DrawContext::kPrimaryButton;
constexpr int32_t kShift = DrawContext::kShift;

class KnobTest : public ControlTest {
protected:
    Knob* addKnob(float value) {
        auto* knob = new Knob(kBounds, &listener, kTag, nullptr, nullptr, {0, 0});
        knob->setValue(value);
        knob->markDirty(false); // as the panel's first paint leaves it
        frame->addView(knob);
        return knob;
    }
    // The frame keeps its focus on a removed view: it is taken away first.
    void remove(Knob* knob) {
        frame->setFocusView(nullptr);
        frame->removeView(knob, true);
    }
    // From the press at the centre, moved by each offset in turn with the same buttons.
    std::vector<PointerStep> path(std::vector<Point> offsets, int32_t buttons) {
        std::vector<PointerStep> steps{{kCentre, buttons}};
        for (Point offset : offsets)
            steps.push_back({{kCentre.x + offset.x, kCentre.y + offset.y}, buttons});
        return steps;
    }
    // A point of the knob given in its own coordinates.
    static Point onKnob(int32_t x, int32_t y) { return {kBounds.left + x, kBounds.top + y}; }
};

struct LinearCase {
    const char* name;
    float start;
    std::vector<Point> offsets;
    int32_t buttons;
    float expected;
};

TEST_F(KnobTest, LinearDragsAddHalfTheRangePerHundredPixelsUpOrRight) {
    const LinearCase cases[] = {
        {"100 up", 0.25f, {{0, -50}, {0, -100}}, kPress, 0.75f},
        {"100 right", 0.25f, {{100, 0}}, kPress, 0.75f},
        {"100 up and 100 left", 0.25f, {{-100, -100}}, kPress, 0.25f},
        {"100 down", 0.6f, {{0, 100}}, kPress, 0.1f},
        {"past the top", 0.25f, {{0, -300}}, kPress, 1.0f},
        {"past the bottom", 0.25f, {{0, 300}}, kPress, 0.0f},
        {"there and back", 0.25f, {{0, -300}, {0, 0}}, kPress, 0.25f},
        {"shift, 150 up", 0.25f, {{0, -150}}, kPress | kShift, 0.75f},
        {"shift, 299 up", 0.0f, {{0, -299}}, kPress | kShift, 299.0f / 300},
        {"shift, 300 up", 0.0f, {{0, -300}}, kPress | kShift, 1.0f},
        // Onto and off the selector's boundaries: exactly the float a host's text of it reads back as.
        {"40 up onto 0.4", 0.2f, {{0, -40}}, kPress, 0.4f},
        {"40 down onto 0.2", 0.4f, {{0, 40}}, kPress, 0.2f},
        {"80 right onto 0.6", 0.2f, {{40, 0}, {80, 0}}, kPress, 0.6f},
        {"1 down off 0.8", 0.8f, {{0, 1}}, kPress, 0.795f},
        {"shift, 60 up onto 0.8", 0.6f, {{0, -60}}, kPress | kShift, 0.8f},
    };
    knobMode = kLinearKnobs;
    for (const LinearCase& c : cases) {
        Knob* knob = addKnob(c.start);
        drag(path(c.offsets, c.buttons));
        EXPECT_EQ(knob->getValue(), c.expected) << c.name << " from " << c.start;
        remove(knob);
    }
}

// Shift changes the rate from where the value is: no step when it goes down or up, only the rate after.
TEST_F(KnobTest, ShiftPressedOrReleasedMidDragChangesTheRateWithoutAJump) {
    knobMode = kLinearKnobs;
    Knob* knob = addKnob(0.25f);
    drag({{kCentre, kPress},
          {{253, 81}, kPress},          // 50 up: 0.5
          {{253, 81}, kPress | kShift}, // shift down where it is
          {{253, 51}, kPress | kShift}, // 30 up at 1/300 per pixel: 0.6
          {{253, 51}, kPress},          // shift up where it is
          {{253, 31}, kPress}});        // 20 up at 1/200 per pixel: 0.7
    const std::vector<float> expected{0.5f, 0.6f, 0.7f};
    ASSERT_EQ(listener.values.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(listener.values[i], expected[i]) << "report " << i;
    EXPECT_EQ(knob->getValue(), 0.7f);
}

TEST_F(KnobTest, AltSwitchesBetweenTheModes) {
    for (int32_t mode : {kLinearKnobs, 0}) {
        knobMode = mode;
        Knob* knob = addKnob(0.25f);
        drag({{onKnob(33, 0), kPress | DrawContext::kAlt}});
        const float circular = 0.5f, linear = 0.25f;
        EXPECT_NEAR(knob->getValue(), mode == kLinearKnobs ? circular : linear, 1e-5) << "knob mode " << mode;
        remove(knob);
    }
}

struct CircularCase {
    const char* name;
    std::vector<Point> points; // the knob's own coordinates, the press first
    float expected;
};

TEST_F(KnobTest, CircularDragsFollowTheAngleAndStayPinnedAcrossTheDeadZone) {
    const CircularCase cases[] = {
        {"press at the top", {{33, 0}}, 0.5f},
        {"press left of the lowest point", {{32, 66}}, 0.0f},
        {"press right of the lowest point", {{34, 66}}, 1.0f},
        {"from the maximum across to the minimum side", {{56, 52}, {40, 66}, {26, 66}, {13, 53}}, 1.0f},
        {"from the minimum across to the maximum side", {{10, 52}, {26, 66}, {40, 66}, {53, 53}}, 0.0f},
        {"across and back", {{56, 52}, {13, 53}, {53, 53}, {66, 33}}, 5.0f / 6},
        {"round through the top", {{13, 53}, {0, 33}, {33, 0}, {66, 33}}, 5.0f / 6},
    };
    knobMode = 0;
    for (const CircularCase& c : cases) {
        Knob* knob = addKnob(0.3f);
        std::vector<PointerStep> steps;
        for (Point p : c.points)
            steps.push_back({onKnob(p.x, p.y), kPress});
        drag(steps);
        EXPECT_NEAR(knob->getValue(), c.expected, 2e-3) << c.name;
        remove(knob);
    }
}

// The host sees the drag bracketed once; the value reports fall inside, drawn with the drag's context.
TEST_F(KnobTest, EachDragSendsOneBeginEditAndOneEndEditAndPumpsTheIdleEveryPass) {
    knobMode = kLinearKnobs;
    Knob* knob = addKnob(0.25f);
    const std::vector<PointerStep> steps = path({{0, -20}, {0, -20}, {0, -40}, {10, -40}}, kPress);
    drag(steps);
    const std::vector<std::string> expected{"begin 3", "value 0.35 drawn", "value 0.45 drawn",
                                            "value 0.5 drawn", "end 3"};
    EXPECT_EQ(journal, expected);
    EXPECT_EQ(editor->pumps, int(steps.size()) + 1) << "passes: one per step, the release and the press";
    VstKeyCode up{0, VKEY_UP, 0};
    frame->keyDown(up);
    EXPECT_NEAR(knob->getValue(), 0.6f, 1e-5) << "the knob keeps the focus after the drag";
}

TEST_F(KnobTest, ControlClickRestoresTheDefaultWithoutEditNotices) {
    knobMode = kLinearKnobs;
    Knob* knob = addKnob(0.2f);
    drag({{kCentre, kPress | DrawContext::kControl}});
    EXPECT_EQ(knob->getValue(), 0.5f);
    EXPECT_EQ(journal, std::vector<std::string>{"value 0.5 drawn"});
    EXPECT_EQ(editor->pumps, 0) << "no drag loop";
    knob->markDirty(false);
    journal.clear();
    drag({{kCentre, kPress | DrawContext::kControl}});
    EXPECT_TRUE(journal.empty()) << "a restored default that is already drawn is not reported";

    knob->setDefaultValue(0.8f);
    knob->markDirty(false);
    journal.clear();
    drag({{kCentre, kPress | DrawContext::kControl | kShift},
          {{253, 111}, kPress | DrawContext::kControl | kShift}});
    EXPECT_NEAR(knob->getValue(), 0.5f + 20.0f / 300, 1e-5) << "control-shift-click is a drag";
    EXPECT_EQ(journal.front(), "begin 3");
    EXPECT_EQ(journal.back(), "end 3");
}

TEST_F(KnobTest, PressesWithoutThePrimaryButtonOrOnADeafKnobDoNothing) {
    Knob* knob = addKnob(0.25f);
    drag({{kCentre, DrawContext::kSecondaryButton}});
    knob->setMouseEnabled(false);
    knob->mouseDown(nullptr, kCentre);
    EXPECT_EQ(knob->getValue(), 0.25f);
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(editor->pumps, 0);
}

struct StepCase {
    float start;
    float distance;
    bool shift;
    float expected;
};

TEST_F(KnobTest, TheWheelStepsByATenthOrWithShiftAHundredthWithinTheRange) {
    const StepCase cases[] = {
        {0.5f, 1.0f, false, 0.6f},  {0.5f, 1.0f, true, 0.51f},   {0.5f, -2.0f, false, 0.3f},
        {0.95f, 1.0f, false, 1.0f}, {0.05f, -1.0f, false, 0.0f}, {0.05f, -1.0f, true, 0.04f},
        {0.7f, -1.0f, false, 0.6f}, {0.39f, 1.0f, true, 0.4f},   {0.2f, 6.0f, false, 0.8f},
    };
    pointer.pointAt(windowOf(*frame), kCentre);
    for (const StepCase& c : cases) {
        Knob* knob = addKnob(c.start);
        pointer.held.clear();
        if (c.shift) pointer.held.insert(VK_SHIFT);
        journal.clear();
        EXPECT_TRUE(frame->wheelTurned(nullptr, {0, 0}, c.distance));
        EXPECT_EQ(knob->getValue(), c.expected)
            << c.start << (c.shift ? " with shift" : "") << ", " << c.distance << " units";
        EXPECT_EQ(journal.size(), 1u);
        EXPECT_NE(journal.back().find("drawn"), std::string::npos) << "reported with the context";
        remove(knob);
    }
    Knob* deaf = addKnob(0.5f);
    deaf->setMouseEnabled(false);
    EXPECT_FALSE(deaf->wheelTurned(nullptr, kCentre, 1.0f));
    EXPECT_EQ(deaf->getValue(), 0.5f);
}

struct KeyCase {
    uint8_t key;
    uint8_t modifier;
    float start;
    int32_t answer;
    float expected;
};

TEST_F(KnobTest, ArrowKeysStepTheValueAndReportAChangeWithoutAContext) {
    const KeyCase cases[] = {
        {VKEY_UP, 0, 0.5f, 1, 0.6f},
        {VKEY_RIGHT, 0, 0.5f, 1, 0.6f},
        {VKEY_LEFT, 0, 0.5f, 1, 0.4f},
        {VKEY_DOWN, 0, 0.5f, 1, 0.4f},
        {VKEY_UP, MODIFIER_SHIFT, 0.5f, 1, 0.51f},
        {VKEY_DOWN, MODIFIER_SHIFT, 0.5f, 1, 0.49f},
        {VKEY_UP, 0, 0.95f, 1, 1.0f},
        {VKEY_DOWN, 0, 0.05f, 1, 0.0f},
        {VKEY_DOWN, 0, 0.7f, 1, 0.6f},
        {VKEY_UP, MODIFIER_SHIFT, 0.39f, 1, 0.4f},
        {VKEY_UP, 0, 1.0f, 1, 1.0f}, // handled, but the drawn value stays: not reported
        {10, 0, 0.5f, -1, 0.5f},
        {15, 0, 0.5f, -1, 0.5f},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "key " << int(c.key) << " modifier " << int(c.modifier) << " from " << c.start);
        Knob* knob = addKnob(c.start);
        knob->setMouseEnabled(false); // keys still work
        journal.clear();
        VstKeyCode key{0, c.key, c.modifier};
        EXPECT_EQ(knob->keyDown(key), c.answer);
        EXPECT_EQ(knob->getValue(), c.expected);
        if (c.expected != c.start) {
            ASSERT_EQ(journal.size(), 1u);
            EXPECT_EQ(journal[0].find("drawn"), std::string::npos) << "keys report without a context";
        } else {
            EXPECT_TRUE(journal.empty());
        }
        remove(knob);
    }
}

// The face is the given rows of the bitmap; the handle at 0.5 points straight up: a grey shadow line in
// the column left of the centre and a white one beside it, one row higher.
TEST_F(KnobTest, DrawsTheFaceFromItsOffsetAndTheHandleLineOnIt) {
    auto* strip = new Bitmap(IDB_KNOB);
    const PixelGrid picture = resourcePixels(IDB_KNOB);
    constexpr Rect bounds{10, 10, 76, 76};
    constexpr int32_t faceTop = 20 * 66;
    Knob knob(bounds, nullptr, 0, strip, nullptr, {0, faceTop});
    strip->releaseReference();
    knob.setValue(0.5f);
    Canvas canvas(90, 90);
    canvas.fill(rgb(1, 2, 3));
    DrawContext context(nullptr, canvas.device(), nullptr);
    knob.draw(&context);
    EXPECT_FALSE(knob.needsRedraw());
    int faceMismatches = 0;
    for (int y = 10; y < 76; ++y)
        for (int x = 10; x < 76; ++x) {
            const bool handle = (x == 42 && y >= 14 && y <= 43) || (x == 43 && y >= 13 && y <= 42);
            if (!handle && canvas.at(x, y) != picture.at(x - 10, y - 10 + faceTop)) ++faceMismatches;
        }
    EXPECT_EQ(faceMismatches, 0);
    for (int y = 14; y <= 42; ++y) {
        EXPECT_EQ(canvas.at(42, y), rgb(170, 170, 170)) << "shadow at row " << y;
        EXPECT_EQ(canvas.at(43, y), rgb(255, 255, 255)) << "handle at row " << y;
    }
    EXPECT_EQ(canvas.at(9, 40), rgb(1, 2, 3)) << "drawn outside its bounds";
}

TEST_F(KnobTest, AHandleBitmapSetsTheInsetAndIsHeldOnce) {
    auto* handle = new Bitmap(IDB_METER_LIT); // 4 wide: inset 4
    Knob knob(kBounds, nullptr, 0, nullptr, handle, {0, 0});
    EXPECT_EQ(handle->referenceCount(), 2);
    knob.setValue(0.5f);
    Point tip;
    EXPECT_EQ(knob.valueToHandlePoint(tip), (Point{33, 4}));
    knob.setHandleBitmap(handle);
    EXPECT_EQ(handle->referenceCount(), 2) << "giving the same bitmap again";
    knob.setHandleBitmap(nullptr);
    EXPECT_EQ(handle->referenceCount(), 1);
    handle->releaseReference();
}

} // namespace

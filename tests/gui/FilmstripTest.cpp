// Film-strip knobs and displays drawing the panel's own strips: each shows exactly the rows of the frame
// its value chooses, compared against the pixels of the resource itself.

#include "gui/FilmstripDisplay.h"
#include "gui/FilmstripKnob.h"

#include "gui/Bitmap.h"
#include "resources/PanelLayout.h"
#include "tests/gui/ControlHarness.h"

#include <cmath>

namespace {

using Strip = panelLayout::Picture;
using panelLayout::kKnob;
using panelLayout::kLamp;
using panelLayout::kNeedle;
using panelLayout::kSelector;

constexpr Point kAt{5, 7}; // where the control sits on the canvas
constexpr Pixel kPaper = rgb(1, 2, 3);

class FilmstripTest : public ControlTest {
protected:
    static Rect boundsOf(const Strip& strip) {
        return {kAt.x, kAt.y, kAt.x + strip.frameWidth, kAt.y + strip.frameHeight};
    }
    // Draws the control on fresh paper and counts the pixels that differ from the given frame, and
    // those it painted outside its bounds.
    static int mismatches(Control& control, const Strip& strip, int frame) {
        const PixelGrid picture = resourcePixels(strip.resource);
        Canvas canvas(strip.frameWidth + 10, strip.frameHeight + 14);
        canvas.fill(kPaper);
        DrawContext context(nullptr, canvas.device(), nullptr);
        control.draw(&context);
        int wrong = 0;
        const Rect bounds = boundsOf(strip);
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x) {
                const bool inside =
                    x >= bounds.left && x < bounds.right && y >= bounds.top && y < bounds.bottom;
                const Pixel expected =
                    inside ? picture.at(x - bounds.left, frame * strip.frameHeight + y - bounds.top) : kPaper;
                wrong += canvas.at(x, y) != expected;
            }
        return wrong;
    }
    // The comparison can only tell frames apart if they differ.
    static void expectDistinct(const Strip& strip, int first, int second) {
        const PixelGrid picture = resourcePixels(strip.resource);
        int differing = 0;
        for (int y = 0; y < strip.frameHeight; ++y)
            for (int x = 0; x < strip.frameWidth; ++x)
                differing += picture.at(x, first * strip.frameHeight + y) !=
                             picture.at(x, second * strip.frameHeight + y);
        ASSERT_GT(differing, 0) << "bitmap " << strip.resource << " frames " << first << " and " << second
                                << " look the same";
    }
};

struct FrameCase {
    const Strip* strip;
    float value;
    bool inverted;
    int frame;
};

TEST_F(FilmstripTest, KnobsDrawTheFrameAtOrBelowTheirValue) {
    const FrameCase cases[] = {
        {&kKnob, 0.5f, false, 50},    {&kKnob, 0.0f, false, 0},
        {&kKnob, 1.0f, false, 100},   {&kKnob, std::nextafter(1.0f, 0.0f), false, 99},
        {&kKnob, 1.5f, false, 100},   {&kKnob, std::nanf(""), false, 0},
        {&kKnob, 0.0f, true, 100},    {&kKnob, 0.25f, true, 75},
        {&kSelector, 0.6f, false, 3}, {&kSelector, 0.79f, false, 3},
        {&kSelector, 1.0f, false, 5}, {&kSelector, 0.0f, true, 5},
    };
    expectDistinct(kKnob, 99, 100);
    expectDistinct(kKnob, 49, 50);
    expectDistinct(kSelector, 3, 4);
    for (const FrameCase& c : cases) {
        auto* strip = new Bitmap(c.strip->resource);
        FilmstripKnob knob(boundsOf(*c.strip), &listener, 0, c.strip->frames, c.strip->frameHeight, strip,
                           {9, 9});
        strip->releaseReference();
        knob.setInverted(c.inverted);
        knob.setValue(c.value);
        EXPECT_EQ(mismatches(knob, *c.strip, c.frame), 0)
            << "bitmap " << c.strip->resource << " at " << c.value << (c.inverted ? ", inverted" : "")
            << ": frame " << c.frame;
        EXPECT_NE(knob.needsRedraw(), c.value == c.value) << "only a NaN stays out of step after drawing";
    }
}

TEST_F(FilmstripTest, DisplaysDrawTheNearestFrameAndKeepAValueAboveOneAtOne) {
    const FrameCase cases[] = {
        {&kNeedle, 0.5f, false, 37}, {&kNeedle, 1.7f, false, 73}, {&kNeedle, -0.2f, false, 0},
        {&kLamp, 0.45f, false, 2},   {&kLamp, 0.95f, false, 5},   {&kLamp, std::nanf(""), false, 0},
    };
    expectDistinct(kNeedle, 36, 37);
    expectDistinct(kLamp, 2, 3);
    expectDistinct(kLamp, 4, 5);
    for (const FrameCase& c : cases) {
        auto* strip = new Bitmap(c.strip->resource);
        FilmstripDisplay display(boundsOf(*c.strip), &listener, 22, c.strip->frames, c.strip->frameHeight,
                                 strip, {0, 0});
        strip->releaseReference();
        display.setValue(c.value);
        EXPECT_EQ(mismatches(display, *c.strip, c.frame), 0)
            << "bitmap " << c.strip->resource << " at " << c.value;
        if (c.value > 1.0f) {
            EXPECT_EQ(display.getValue(), 1.0f) << "the clamped value is kept";
        }
        EXPECT_NE(display.needsRedraw(), c.value == c.value) << "only a NaN stays out of step after drawing";
    }
}

TEST_F(FilmstripTest, WithoutAPictureNothingIsDrawnButTheDrawIsDone) {
    FilmstripKnob knob(boundsOf(kKnob), nullptr, 0, kKnob.frames, kKnob.frameHeight, nullptr, {0, 0});
    FilmstripDisplay display(boundsOf(kLamp), nullptr, 0, kLamp.frames, kLamp.frameHeight, nullptr, {0, 0});
    Canvas canvas(90, 90);
    canvas.fill(kPaper);
    DrawContext context(nullptr, canvas.device(), nullptr);
    knob.draw(&context);
    display.draw(&context);
    EXPECT_EQ(canvas.at(30, 30), kPaper);
    EXPECT_FALSE(knob.needsRedraw());
    EXPECT_FALSE(display.needsRedraw());
}

TEST_F(FilmstripTest, DisplaysTakeNoInput) {
    auto* display = new FilmstripDisplay({10, 10, 48, 68}, &listener, 23, 6, 58, nullptr, {0, 0});
    display->setValue(0.4f);
    frame->addView(display);
    expectTakesNoInput(*display, {20, 20});
}

} // namespace

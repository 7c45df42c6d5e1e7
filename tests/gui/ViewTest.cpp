// The view's defaults: hit and overlap tests with inclusive edges, the redraw protocol through the
// virtual table, reference counting and the answers that decline an event.

#include "gui/View.h"

#include "tests/gui/GeometryOutput.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Counts its destruction so that tests can see when the last reference went.
class CountedView : public View {
public:
    CountedView(const Rect& bounds, int& destroyed) : View(bounds), destroyedCount(destroyed) {}
    ~CountedView() override { ++destroyedCount; }

private:
    int& destroyedCount;
};

// Records the calls that the defaults make to each other.
class TracingView : public View {
public:
    using View::View;
    void draw(DrawContext* context) override {
        ++draws;
        View::draw(context);
    }
    void markDirty(bool state) override {
        marks += state ? "T" : "F";
        View::markDirty(state);
    }
    int draws = 0;
    std::string marks;
};

const Rect square{10, 10, 20, 20};

struct OverlapCase {
    Rect other;
    bool overlaps;
};

TEST(ViewGeometry, OverlapCountsTouchingEdgesAsMeeting) {
    const OverlapCase cases[] = {
        {{20, 20, 30, 30}, true}, {{21, 10, 30, 20}, false}, {{0, 0, 10, 10}, true}, {{0, 0, 9, 30}, false},
        {{12, 12, 14, 14}, true}, {{0, 21, 30, 30}, false},  {{0, 0, 30, 9}, false}, {{0, 0, 100, 100}, true},
    };
    View view(square);
    for (const OverlapCase& c : cases)
        EXPECT_EQ(view.overlaps(c.other), c.overlaps) << "rectangle " << c.other;
}

struct HitCase {
    Point where;
    bool hit;
};

TEST(ViewGeometry, HitTestIncludesRightAndBottomEdges) {
    const HitCase cases[] = {{{20, 20}, true}, {{21, 20}, false}, {{20, 21}, false}, {{10, 10}, true},
                             {{9, 15}, false}, {{15, 9}, false},  {{15, 15}, true}};
    View view(square);
    for (const HitCase& c : cases)
        for (int32_t buttons : {0, 1, -1})
            EXPECT_EQ(view.hitTest(c.where, buttons), c.hit)
                << "at " << c.where << " with buttons " << buttons;
}

TEST(ViewGeometry, KnobBoundsAreHitAtTheirLowerRightCorner) {
    View knob({220, 98, 286, 164});
    EXPECT_TRUE(knob.hitTest({286, 164}, 1));
    EXPECT_FALSE(knob.hitTest({287, 164}, 1));
}

// The starting state, and the state each setter changes on its own: the mouse area is a rectangle apart
// from the bounds.
TEST(ViewState, StartsFromTheBoundsAndEachSetterChangesOnlyItsOwnState) {
    View view(square);
    Rect bounds{}, mouseArea{};
    EXPECT_EQ(view.bounds(bounds), square);
    EXPECT_EQ(view.mouseArea(mouseArea), square);
    EXPECT_FALSE(view.needsRedraw());
    EXPECT_TRUE(view.mouseEnabled());
    EXPECT_FALSE(view.isTransparent());
    EXPECT_EQ(view.referenceCount(), 1);
    EXPECT_EQ(view.ownerEditor(), nullptr);

    const Rect other{1, 2, 3, 4};
    view.setMouseArea(other);
    EXPECT_EQ(view.mouseArea(mouseArea), other);
    EXPECT_EQ(view.bounds(bounds), square);
    view.setMouseEnabled(false);
    EXPECT_FALSE(view.mouseEnabled());
    view.setTransparent(true);
    EXPECT_TRUE(view.isTransparent());
}

TEST(ViewRedraw, SetBoundsMarksDirtyAndRedrawIfDirtyDrawsOnceThenCleans) {
    TracingView view(square);
    view.setBounds({0, 0, 5, 5});
    EXPECT_TRUE(view.needsRedraw());
    view.redrawIfDirty(nullptr);
    EXPECT_FALSE(view.needsRedraw());
    EXPECT_EQ(view.draws, 1);
    EXPECT_EQ(view.marks, "TFF") << "setBounds marks, draw cleans, redrawIfDirty cleans again";
    view.redrawIfDirty(nullptr);
    EXPECT_EQ(view.draws, 1) << "a clean view is not drawn";
}

TEST(ViewRedraw, DrawInRectDrawsTheWholeViewThroughTheTable) {
    TracingView view(square);
    view.drawInRect(nullptr, {0, 0, 1, 1});
    EXPECT_EQ(view.draws, 1);
}

// A subclass that always wants drawing is drawn by the default redrawIfDirty.
TEST(ViewRedraw, RedrawIfDirtyAsksTheOverriddenNeedsRedraw) {
    struct AlwaysDirty : TracingView {
        using TracingView::TracingView;
        bool needsRedraw() override { return true; }
    } view(square);
    view.redrawIfDirty(nullptr);
    view.redrawIfDirty(nullptr);
    EXPECT_EQ(view.draws, 2);
}

TEST(ViewReferences, LastReleaseDestroysAndAddedReferencesKeepAlive) {
    int destroyed = 0;
    View* view = new CountedView(square, destroyed);
    view->addReference();
    view->addReference();
    EXPECT_EQ(view->referenceCount(), 3);
    view->releaseReference();
    view->releaseReference();
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(view->referenceCount(), 1);
    view->releaseReference();
    EXPECT_EQ(destroyed, 1);
}

TEST(ViewDefaults, DeclineEveryEvent) {
    View view(square);
    VstKeyCode key{'a', 0, 0};
    char name[] = "file";
    char* items[] = {name};
    EXPECT_EQ(view.keyDown(key), -1);
    EXPECT_EQ(view.keyUp(key), -1);
    EXPECT_FALSE(view.wheelTurned(nullptr, {15, 15}, 1.0f));
    EXPECT_FALSE(view.dropReceived(items, 1, 0, {15, 15}));
    EXPECT_EQ(view.extensionHook(1, 2), 0);
    EXPECT_TRUE(view.attachedTo(nullptr));
    EXPECT_TRUE(view.detachedFrom(nullptr));
}

} // namespace

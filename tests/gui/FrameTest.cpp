// A frame in a real parent window: painting, the idle redraw, input dispatch, the shared window class
// and teardown.

#include "gui/Frame.h"

#include "gui/Bitmap.h"
#include "gui/DrawContext.h"
#include "gui/ModuleHandle.h"
#include "gui/ToolkitState.h"
#include "resources/ResourceIds.h"
#include "tests/gui/GdiSupport.h"
#include "tests/gui/GeometryOutput.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Fills its bounds with its colour and remembers what reached it.
class ProbeView : public View {
public:
    ProbeView(std::string label, const Rect& bounds, Pixel fill = rgb(0, 0, 0))
        : View(bounds), name(label), colour(fill) {}
    ~ProbeView() override { ++destroyed; }

    void draw(DrawContext* context) override {
        ++draws;
        Rect area;
        bounds(area);
        HBRUSH brush = CreateSolidBrush(RGB(colour >> 16, colour >> 8 & 0xFF, colour & 0xFF));
        RECT filled{area.left, area.top, area.right, area.bottom};
        FillRect(context->deviceContext(), &filled, brush);
        DeleteObject(brush);
        View::draw(context);
    }
    void mouseDown(DrawContext*, Point where) override { presses.push_back(where); }
    int32_t keyDown(VstKeyCode&) override {
        journal += name + " ";
        return keyAnswer;
    }
    bool wheelTurned(DrawContext* context, Point where, float distance) override {
        wheel = {where, distance, context != nullptr};
        return true;
    }
    void focusLost(DrawContext*) override { ++focusLosses; }

    static std::string journal;
    static int destroyed;
    const std::string name;
    Pixel colour;
    int draws = 0;
    int focusLosses = 0;
    int32_t keyAnswer = -1;
    std::vector<Point> presses;
    struct {
        Point where;
        float distance;
        bool hadContext;
    } wheel{{-1, -1}, 0.0f, false};
};

std::string ProbeView::journal;
int ProbeView::destroyed = 0;

// The host's window, and the plug-in library whose handle names and owns the frame's window class and
// pictures.
class FrameTest : public PluginLibraryTest {
protected:
    static constexpr Rect kPanel{0, 0, 200, 150};

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PluginLibraryTest::SetUp());
        parent = sharedHostWindow(40, 30, 300, 200);
        ASSERT_NE(parent, nullptr);
        ProbeView::journal.clear();
        ProbeView::destroyed = 0;
    }

    // The frame's first paint, as the system would send it.
    static void paint(Frame& frame) { UpdateWindow(windowOf(frame)); }

    ProbeView* add(Frame& frame, const std::string& name, const Rect& bounds, Pixel colour = rgb(0, 0, 0)) {
        auto* view = new ProbeView(name, bounds, colour);
        frame.addView(view);
        return view;
    }

    static bool classRegistered() {
        WNDCLASSA found{};
        return GetClassInfoA(moduleHandle, windowClassOf(moduleHandle).c_str(), &found) != 0;
    }

    HWND parent = nullptr;
};

TEST_F(FrameTest, CreatesAVisibleChildWindowOfThePanelsSize) {
    Frame frame(kPanel, parent, nullptr);
    HWND window = windowOf(frame);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), parent);
    EXPECT_TRUE(IsWindowVisible(window));
    char title[16] = {}, name[32] = {};
    GetWindowTextA(window, title, sizeof title);
    GetClassNameA(window, name, sizeof name);
    EXPECT_STREQ(title, "Window");
    EXPECT_EQ(name, windowClassOf(moduleHandle));
    EXPECT_EQ(std::strtoull(name + 6, nullptr, 16), reinterpret_cast<uintptr_t>(moduleHandle))
        << "the name carries the whole handle";
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 150);
}

TEST_F(FrameTest, PaintsTheBackgroundAndEveryViewOnIt) {
    Frame frame(kPanel, parent, nullptr);
    Bitmap* background = new Bitmap(IDB_BACKGROUND);
    frame.setBackgroundBitmap(background);
    background->releaseReference();
    ProbeView* red = add(frame, "red", {10, 10, 40, 30}, rgb(255, 0, 0));
    ProbeView* blue = add(frame, "blue", {100, 60, 150, 100}, rgb(0, 0, 255));
    paint(frame);
    EXPECT_EQ(red->draws, 1);
    EXPECT_EQ(blue->draws, 1);

    HWND window = windowOf(frame);
    HDC device = GetDC(window);
    const PixelGrid panel = loadPixels(dll, IDB_BACKGROUND, device);
    const Point probes[] = {{0, 0}, {5, 5}, {41, 31}, {199, 149}, {20, 20}, {39, 29}, {120, 80}, {60, 120}};
    for (Point p : probes) {
        const COLORREF shown = GetPixel(device, p.x, p.y);
        const Pixel seen = rgb(GetRValue(shown), GetGValue(shown), GetBValue(shown));
        const Pixel expected = Rect{10, 10, 39, 29}.contains(p)     ? rgb(255, 0, 0)
                               : Rect{100, 60, 149, 99}.contains(p) ? rgb(0, 0, 255)
                                                                    : panel.at(p.x, p.y);
        EXPECT_EQ(seen, expected) << "at " << p;
    }
    ReleaseDC(window, device);
}

TEST_F(FrameTest, IdleRedrawsNothingBeforeTheFirstPaintThenExactlyTheDirtyViewUntilTheWindowIsGone) {
    Frame frame(kPanel, parent, nullptr);
    ProbeView* first = add(frame, "first", {10, 10, 40, 30});
    ProbeView* second = add(frame, "second", {50, 10, 80, 30});
    first->markDirty(true);
    frame.redrawDirtyViews();
    EXPECT_EQ(first->draws, 0) << "drawn before the window's first paint";

    paint(frame);
    ASSERT_EQ(first->draws, 1);
    ASSERT_EQ(second->draws, 1);
    frame.redrawDirtyViews();
    EXPECT_EQ(first->draws + second->draws, 2) << "the paint left something dirty";

    second->markDirty(true);
    frame.redrawDirtyViews();
    EXPECT_EQ(first->draws, 1);
    EXPECT_EQ(second->draws, 2);
    EXPECT_FALSE(frame.anythingNeedsRedraw());

    DestroyWindow(windowOf(frame));
    second->markDirty(true);
    frame.redrawDirtyViews();
    frame.redrawIfDirty(nullptr);
    EXPECT_EQ(second->draws, 2) << "drawn after the host destroyed the window";
}

struct PressCase {
    Point where;
    const char* receiver; // empty when no view takes the press
};

// bottom and top overlap from 40 to 60; over "under" lies "deaf", which does not take the mouse.
TEST_F(FrameTest, PressesReachTheTopMostEnabledViewWithEdgesIncluded) {
    const PressCase cases[] = {
        {{50, 50}, "top"},    {{20, 20}, "bottom"}, {{60, 60}, "top"},    {{90, 90}, "top"}, {{91, 90}, ""},
        {{10, 10}, "bottom"}, {{120, 30}, "under"}, {{150, 60}, "under"}, {{151, 60}, ""},   {{195, 140}, ""},
    };
    for (UINT message : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN})
        for (const PressCase& c : cases) {
            Frame frame(kPanel, parent, nullptr);
            std::vector<ProbeView*> views{
                add(frame, "bottom", {10, 10, 60, 60}), add(frame, "top", {40, 40, 90, 90}),
                add(frame, "under", {100, 10, 150, 60}), add(frame, "deaf", {100, 10, 150, 60})};
            views.back()->setMouseEnabled(false);
            SendMessageA(windowOf(frame), message, 0, MAKELPARAM(c.where.x, c.where.y));
            for (ProbeView* view : views) {
                const bool chosen = view->name == c.receiver;
                EXPECT_EQ(view->presses.size(), chosen ? 1u : 0u)
                    << view->name << ", press at " << c.where << ", message " << message;
                if (chosen && !view->presses.empty()) {
                    EXPECT_EQ(view->presses[0], c.where);
                }
            }
        }
}

TEST_F(FrameTest, APressAnywhereTakesTheFocusAway) {
    Frame frame(kPanel, parent, nullptr);
    ProbeView* knob = add(frame, "knob", {10, 10, 40, 40});
    frame.setFocusView(knob);
    for (const char* press : {"first", "second"}) {
        SendMessageA(windowOf(frame), WM_LBUTTONDOWN, 0, MAKELPARAM(190, 140));
        EXPECT_EQ(knob->focusLosses, 1) << press << " press; the focus goes once";
    }
}

struct KeyCase {
    bool withFocus;
    int32_t focusAnswer, lowerAnswer, upperAnswer;
    int32_t expected;
    const char* asked;
};

TEST_F(FrameTest, KeysGoToTheFocusViewFirstThenFromTheTop) {
    const KeyCase cases[] = {
        {true, 3, 5, 7, 3, "focus "},
        {true, -1, 5, 7, 7, "focus upper "},
        {true, -1, 5, -1, 5, "focus upper lower "},
        {true, -1, -1, -1, -1, "focus upper lower focus "}, // the focus view is in the list as well
        {false, 3, 5, 7, 7, "upper "},
        {false, 3, -1, -1, 3, "upper lower focus "},
    };
    for (const KeyCase& c : cases) {
        Frame frame(kPanel, parent, nullptr);
        ProbeView* focus = add(frame, "focus", {0, 0, 5, 5});
        ProbeView* lower = add(frame, "lower", {0, 0, 5, 5});
        ProbeView* upper = add(frame, "upper", {0, 0, 5, 5});
        focus->keyAnswer = c.focusAnswer;
        lower->keyAnswer = c.lowerAnswer;
        upper->keyAnswer = c.upperAnswer;
        if (c.withFocus) frame.setFocusView(focus);
        ProbeView::journal.clear();
        VstKeyCode key{'x', 0, 0};
        EXPECT_EQ(frame.keyDown(key), c.expected)
            << "answers " << c.focusAnswer << ", " << c.lowerAnswer << ", " << c.upperAnswer
            << (c.withFocus ? " with" : " without") << " focus";
        EXPECT_EQ(ProbeView::journal, c.asked);
    }
}

TEST_F(FrameTest, TheWheelReachesTheViewUnderTheCursorAtTheCursor) {
    Frame frame(kPanel, parent, nullptr);
    ProbeView* left = add(frame, "left", {10, 10, 60, 60});
    ProbeView* right = add(frame, "right", {100, 10, 150, 60});
    right->setMouseEnabled(false); // the wheel does not ask
    ScriptedPointer pointer;
    pointer.pointAt(windowOf(frame), {150, 60});
    EXPECT_TRUE(frame.wheelTurned(nullptr, {20, 20}, 2.5f));
    EXPECT_EQ(right->wheel.where, (Point{150, 60})) << "the point given by the caller is not used";
    EXPECT_EQ(right->wheel.distance, 2.5f);
    EXPECT_TRUE(right->wheel.hadContext);
    EXPECT_EQ(left->wheel.where, (Point{-1, -1}));
    pointer.pointAt(windowOf(frame), {80, 80});
    EXPECT_FALSE(frame.wheelTurned(nullptr, {20, 20}, 1.0f)) << "no view under the cursor";
}

// The imaging library's entry, too, lives as long as a frame holds the library.
TEST_F(FrameTest, TwoFramesShareOneClassAndTheImagingEntryThatGoWithTheLast) {
    ASSERT_FALSE(classRegistered()) << "a frame of an earlier test left its class behind";
    auto* first = new Frame(kPanel, parent, nullptr);
    EXPECT_TRUE(classRegistered());
    ASSERT_NE(transparentBltEntry, nullptr) << "this system has the imaging library";
    auto* second = new Frame(kPanel, parent, nullptr);
    EXPECT_TRUE(classRegistered());
    delete first;
    EXPECT_TRUE(classRegistered()) << "the second frame still uses the class";
    EXPECT_NE(transparentBltEntry, nullptr) << "the second frame still holds the library";
    delete second;
    EXPECT_FALSE(classRegistered());
    EXPECT_EQ(transparentBltEntry, nullptr) << "the entry would point into a freed library";
}

TEST_F(FrameTest, AFrameWithoutParentHasNoWindowButKeepsItsViews) {
    Frame frame(kPanel, nullptr, nullptr);
    EXPECT_EQ(frame.windowHandle(), nullptr);
    EXPECT_FALSE(classRegistered());
    std::vector<View*> added;
    for (int i = 0; i < 41; ++i) {
        added.push_back(new View({0, 0, 1, 1}));
        ASSERT_TRUE(frame.addView(added.back())) << "view " << i;
    }
    EXPECT_EQ(frame.viewCount(), 41);
    for (int i = 0; i < 41; ++i)
        EXPECT_EQ(frame.viewAt(i), added[i]) << "index " << i;
    EXPECT_EQ(frame.viewAt(-1), nullptr);
    EXPECT_EQ(frame.viewAt(41), nullptr);
    frame.redrawView(nullptr); // no window: nothing to draw on
}

TEST_F(FrameTest, RemovingAViewTakesItsFocusAlongAndReleasesOnlyWhenAsked) {
    Frame frame(kPanel, parent, nullptr);
    ProbeView* kept = add(frame, "kept", {0, 0, 5, 5});
    ProbeView* gone = add(frame, "gone", {0, 0, 5, 5});
    kept->addReference();
    frame.setFocusView(kept);
    EXPECT_TRUE(frame.removeView(kept, true));
    frame.setFocusView(nullptr);
    EXPECT_EQ(kept->focusLosses, 0) << "a view that left the frame is not told of the frame's focus";
    EXPECT_EQ(kept->referenceCount(), 1);
    EXPECT_FALSE(frame.containsView(kept));
    EXPECT_TRUE(frame.removeView(kept, true)) << "removing an absent view still answers true";
    EXPECT_EQ(kept->referenceCount(), 1);
    EXPECT_TRUE(frame.removeView(gone, true));
    EXPECT_EQ(ProbeView::destroyed, 1);
    kept->releaseReference();
}

// Every view and the background lose the frame's reference, the window goes, and every GDI object the
// toolkit made on the way (pens, brushes, memory devices, masks) is gone again.
TEST_F(FrameTest, TeardownReleasesEveryViewAndBitmapAndEveryGdiObject) {
    const auto gdiObjects = [] { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); };
    const DWORD before = gdiObjects();
    Bitmap* background = new Bitmap(IDB_BACKGROUND);
    const bool countsGdiObjects = gdiObjects() != before;

    auto* frame = new Frame(kPanel, parent, nullptr);
    frame->setBackgroundBitmap(background);
    EXPECT_EQ(background->referenceCount(), 2);
    for (int i = 0; i < 25; ++i)
        add(*frame, "v" + std::to_string(i), {i, i, i + 10, i + 10});
    ProbeView* shared = add(*frame, "shared", {0, 0, 5, 5});
    shared->addReference();
    paint(*frame);
    shared->markDirty(true);
    frame->redrawDirtyViews();
    frame->redrawView(nullptr);
    HWND window = windowOf(*frame);
    delete frame;

    EXPECT_EQ(ProbeView::destroyed, 25) << "views still alive after the frame";
    EXPECT_EQ(shared->referenceCount(), 1) << "a view held elsewhere keeps that holder's reference";
    EXPECT_EQ(background->referenceCount(), 1);
    EXPECT_FALSE(IsWindow(window));
    shared->releaseReference();
    background->releaseReference();
    if (!countsGdiObjects)
        GTEST_SKIP() << "views, bitmaps and the window were released; this system does not count GDI objects "
                        "per process, so their deletion is left unchecked";
    EXPECT_EQ(gdiObjects(), before);
}

} // namespace

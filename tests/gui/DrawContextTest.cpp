// The draw context over real GDI: its pen and brush come and go with it, lines land where they are
// told, and the mouse state and cursor come through the scripted pointer.

#include "gui/DrawContext.h"

#include "gui/ToolkitState.h"
#include "tests/gui/GdiSupport.h"
#include "tests/gui/GeometryOutput.h"

#include <gtest/gtest.h>

#include <set>

namespace {

int currentPenStyle(HDC device) {
    LOGPEN pen{};
    GetObjectA(GetCurrentObject(device, OBJ_PEN), sizeof pen, &pen);
    return pen.lopnStyle;
}

TEST(DrawContext, PutsBackTheDevicesObjectsAndDeletesItsOwn) {
    Canvas canvas(8, 8);
    const HGDIOBJ brush = GetCurrentObject(canvas.device(), OBJ_BRUSH);
    const HGDIOBJ pen = GetCurrentObject(canvas.device(), OBJ_PEN);
    const HGDIOBJ font = GetCurrentObject(canvas.device(), OBJ_FONT);
    HGDIOBJ ownPen, ownBrush;
    {
        DrawContext context(nullptr, canvas.device(), nullptr);
        ownPen = GetCurrentObject(canvas.device(), OBJ_PEN);
        ownBrush = GetCurrentObject(canvas.device(), OBJ_BRUSH);
        EXPECT_NE(ownPen, pen);
        EXPECT_NE(ownBrush, brush);
        EXPECT_EQ(GetBkMode(canvas.device()), TRANSPARENT);
    }
    EXPECT_EQ(GetCurrentObject(canvas.device(), OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(canvas.device(), OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(canvas.device(), OBJ_FONT), font);
    EXPECT_EQ(GetObjectType(ownPen), 0u) << "the context's pen outlived it";
    EXPECT_EQ(GetObjectType(ownBrush), 0u) << "the context's brush outlived it";
}

TEST(DrawContext, ReplacedPensAreDeletedAtOnce) {
    Canvas canvas(8, 8);
    DrawContext context(nullptr, canvas.device(), nullptr);
    const HGDIOBJ first = GetCurrentObject(canvas.device(), OBJ_PEN);
    context.setLineColour({1, 2, 3, 0});
    EXPECT_NE(GetCurrentObject(canvas.device(), OBJ_PEN), first);
    EXPECT_EQ(GetObjectType(first), 0u);
}

TEST(DrawContext, LineStyleOneIsDottedAndSurvivesColourChanges) {
    const struct {
        int32_t style;
        int expected;
    } cases[] = {{1, PS_DOT}, {0, PS_SOLID}, {2, PS_SOLID}, {-1, PS_SOLID}};
    Canvas canvas(8, 8);
    DrawContext context(nullptr, canvas.device(), nullptr);
    for (const auto& c : cases) {
        context.setLineStyle(c.style);
        EXPECT_EQ(currentPenStyle(canvas.device()), c.expected) << "style " << c.style;
        context.setLineColour({9, 9, 9, 0});
        EXPECT_EQ(currentPenStyle(canvas.device()), c.expected) << "style " << c.style << " after a colour";
    }
}

TEST(DrawContext, FillColourIsAlsoTheDevicesBackground) {
    Canvas canvas(8, 8);
    DrawContext context(nullptr, canvas.device(), nullptr);
    context.setFillColour({10, 20, 30, 99});
    EXPECT_EQ(GetBkColor(canvas.device()), RGB(10, 20, 30));
    LOGBRUSH brush{};
    GetObjectA(GetCurrentObject(canvas.device(), OBJ_BRUSH), sizeof brush, &brush);
    EXPECT_EQ(brush.lbColor, RGB(10, 20, 30));
    EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_SOLID));
}

// A horizontal line covers its start and stops short of its end, in the line colour.
TEST(DrawContext, LinesLandWhereTheyAreToldInTheLineColour) {
    Canvas canvas(12, 8);
    canvas.fill(rgb(0, 0, 0));
    {
        DrawContext context(nullptr, canvas.device(), nullptr);
        context.setLineColour({200, 100, 50, 0});
        context.moveTo({2, 5});
        context.lineTo({8, 5});
    }
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            const bool onLine = y == 5 && x >= 2 && x < 8;
            EXPECT_EQ(canvas.at(x, y), onLine ? rgb(200, 100, 50) : rgb(0, 0, 0)) << "at " << Point{x, y};
        }
}

struct ButtonCase {
    std::set<int> held;
    bool swapped;
    int32_t expected;
};

TEST(DrawContext, MouseButtonsFollowTheSwapAndAddTheModifiers) {
    const ButtonCase cases[] = {
        {{}, false, 0},
        {{VK_LBUTTON}, false, 1},
        {{VK_RBUTTON}, false, 4},
        {{VK_RBUTTON}, true, 1},
        {{VK_LBUTTON}, true, 4},
        {{VK_MBUTTON}, true, 2},
        {{VK_SHIFT, VK_CONTROL, VK_LBUTTON}, false, 25},
        {{VK_MENU}, false, 32},
        {{VK_LBUTTON, VK_MBUTTON, VK_RBUTTON, VK_SHIFT, VK_CONTROL, VK_MENU}, false, 63},
    };
    ScriptedPointer pointer;
    const bool systemSwap = swapButtons;
    DrawContext context(nullptr, nullptr, nullptr);
    for (const ButtonCase& c : cases) {
        pointer.held = c.held;
        swapButtons = c.swapped;
        std::string keys;
        for (int key : c.held)
            keys += std::to_string(key) + " ";
        EXPECT_EQ(context.mouseButtons(), c.expected) << "keys held: " << keys << "swapped: " << c.swapped;
    }
    swapButtons = systemSwap;
}

// A press served late is judged by what its message saw, not by the keys held by then.
TEST(DrawContext, PressButtonsAreTheStateTheMessageSaw) {
    ScriptedPointer pointer;
    DrawContext context(nullptr, nullptr, nullptr);
    const bool systemSwap = swapButtons;
    swapButtons = false;
    pointer.held = {};
    pointer.heldAtMessage = std::set<int>{VK_LBUTTON, VK_CONTROL};
    EXPECT_EQ(context.pressButtons(), 17);
    EXPECT_EQ(context.mouseButtons(), 0);
    swapButtons = systemSwap;
}

TEST(DrawContext, CursorIsRelativeToTheWindowsOuterRectangle) {
    HWND window = sharedHostWindow(100, 200, 50, 40);
    ASSERT_NE(window, nullptr);
    ScriptedPointer pointer;
    pointer.cursor = {110, 230};
    Point where{};
    {
        DrawContext context(nullptr, nullptr, window);
        EXPECT_EQ(context.cursorPosition(where), (Point{10, 30}));
    }
    DrawContext windowless(nullptr, nullptr, nullptr);
    EXPECT_EQ(windowless.cursorPosition(where), (Point{110, 230}));
}

} // namespace

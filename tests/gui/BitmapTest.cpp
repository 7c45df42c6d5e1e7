// Bitmaps loaded from resources and drawn onto a 32-bit canvas; what must land on the canvas is worked
// out from the picture's own pixels as GDI hands them out.

#include "gui/Bitmap.h"

#include "gui/DrawContext.h"
#include "gui/ModuleHandle.h"
#include "gui/ToolkitState.h"
#include "resources/PanelLayout.h"
#include "tests/gui/GdiSupport.h"
#include "tests/gui/GeometryOutput.h"
#include "tests/gui/TestBitmaps.h"

#include <gtest/gtest.h>

namespace {

constexpr Pixel kMarker = rgb(12, 34, 56);
constexpr Pixel kWhite = rgb(255, 255, 255);

// Resources come from the plug-in library, or from this program for the keyed test picture.
class BitmapTest : public PluginLibraryTest {
protected:
    void TearDown() override { transparentBltEntry = nullptr; }
};

TEST_F(BitmapTest, LoadsTheSizeOfItsResource) {
    using panelLayout::kBackground;
    using panelLayout::kKnob;
    const struct {
        int id;
        int width, height;
    } cases[] = {{kKnob.resource, kKnob.frameWidth, kKnob.frameHeight * kKnob.frames},
                 {kBackground.resource, kBackground.frameWidth, kBackground.frameHeight},
                 {9999, 0, 0}};
    for (const auto& c : cases) {
        Bitmap* bitmap = new Bitmap(c.id);
        EXPECT_EQ(bitmap->width, c.width) << "resource " << c.id;
        EXPECT_EQ(bitmap->height, c.height) << "resource " << c.id;
        EXPECT_EQ(bitmap->resourceId, c.id);
        bitmap->releaseReference();
    }
}

TEST_F(BitmapTest, CountsItsHolders) {
    Bitmap* bitmap = new Bitmap(IDB_KNOB);
    EXPECT_EQ(bitmap->referenceCount(), 1);
    bitmap->addReference();
    bitmap->addReference();
    EXPECT_EQ(bitmap->referenceCount(), 3);
    bitmap->releaseReference();
    bitmap->releaseReference();
    EXPECT_EQ(bitmap->referenceCount(), 1);
    bitmap->releaseReference();
}

// Destination 10, 20, 30, 25 from source (0, 132): the 20 x 5 block of the knob strip, nothing else.
TEST_F(BitmapTest, DrawOpaqueCopiesTheStatedBlockOnly) {
    Canvas canvas(48, 40);
    canvas.fill(kMarker);
    const PixelGrid knob = loadPixels(dll, IDB_KNOB, canvas.device());
    Bitmap* bitmap = new Bitmap(IDB_KNOB);
    {
        DrawContext context(nullptr, canvas.device(), nullptr);
        bitmap->drawOpaque(context, {10, 20, 30, 25}, {0, 132});
    }
    bitmap->releaseReference();
    const Rect block{10, 20, 29, 24}; // inclusive for the test below
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            const Pixel expected = block.contains({x, y}) ? knob.at(x - 10, y - 20 + 132) : kMarker;
            ASSERT_EQ(canvas.at(x, y), expected) << "at " << Point{x, y};
        }
}

TransparentBltFunction systemTransparentBlt() {
    HMODULE imaging = LoadLibraryA("msimg32.dll");
    if (!imaging) return nullptr;
    auto generic = reinterpret_cast<void (*)()>(GetProcAddress(imaging, "TransparentBlt"));
    return reinterpret_cast<TransparentBltFunction>(generic);
}

// Under white the canvas keeps its pixel; every other pixel, (255, 255, 0) and near-white included, is
// copied. The mask method and TransparentBlt give the same picture.
TEST_F(BitmapTest, DrawTransparentLeavesOutWhiteWithAndWithoutTransparentBlt) {
    moduleHandle = GetModuleHandleA(nullptr);
    const TransparentBltFunction system = systemTransparentBlt();
    ASSERT_NE(system, nullptr) << "msimg32.dll has no TransparentBlt";
    for (TransparentBltFunction entry : {TransparentBltFunction(nullptr), system}) {
        const char* method = entry ? "TransparentBlt" : "mask";
        transparentBltEntry = entry;
        Canvas canvas(16, 8);
        canvas.fill(kMarker);
        const PixelGrid keyed = loadPixels(moduleHandle, IDB_TEST_KEYED, canvas.device());
        ASSERT_EQ(keyed.width(), 6);
        ASSERT_EQ(keyed.at(1, 0), rgb(255, 255, 0)) << "the test picture is not what this test expects";
        Bitmap* bitmap = new Bitmap(IDB_TEST_KEYED);
        {
            DrawContext context(nullptr, canvas.device(), nullptr);
            bitmap->drawTransparent(context, {3, 2, 9, 4}, {0, 0});
        }
        bitmap->releaseReference();
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x) {
                const bool covered = x >= 3 && x < 9 && y >= 2 && y < 4;
                const Pixel source = covered ? keyed.at(x - 3, y - 2) : kWhite;
                const Pixel expected = source == kWhite ? kMarker : source;
                EXPECT_EQ(canvas.at(x, y), expected) << method << " at " << Point{x, y};
            }
    }
}

TEST_F(BitmapTest, AMissingPictureDrawsNothingInEitherMode) {
    Canvas canvas(8, 8);
    canvas.fill(kMarker);
    Bitmap* missing = new Bitmap(9999);
    {
        DrawContext context(nullptr, canvas.device(), nullptr);
        missing->drawOpaque(context, {0, 0, 8, 8}, {0, 0});
        missing->drawTransparent(context, {0, 0, 8, 8}, {0, 0});
    }
    missing->releaseReference();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(canvas.at(x, y), kMarker) << "at " << Point{x, y};
}

} // namespace

// Checks the panel artwork as the editor finds it: bitmap resources inside the plug-in DLL.

#include "resources/PanelLayout.h"
#include "tests/support/PluginLibrary.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>

namespace {

// The bitmaps as the panel description states them; a film strip is its frames stacked.
struct BitmapFacts {
    const char* name;
    const panelLayout::Picture* picture;

    int id() const { return picture->resource; }
    int width() const { return picture->frameWidth; }
    int height() const { return picture->frameHeight * picture->frames; }
    int frames() const { return picture->frames; }
};

std::ostream& operator<<(std::ostream& out, const BitmapFacts& facts) {
    return out << facts.name << " (id " << facts.id() << ")";
}

const BitmapFacts bitmaps[] = {
    {"background", &panelLayout::kBackground}, {"knob", &panelLayout::kKnob},
    {"selector", &panelLayout::kSelector},     {"lamp", &panelLayout::kLamp},
    {"needle", &panelLayout::kNeedle},         {"meterLit", &panelLayout::kMeterLit},
    {"meterUnlit", &panelLayout::kMeterUnlit},
};

std::string testName(const ::testing::TestParamInfo<BitmapFacts>& param) {
    return std::string(param.param.name) + "_" + std::to_string(param.param.id());
}

// RT_BITMAP in its ANSI form, whatever the character set of the build.
const LPCSTR bitmapType = MAKEINTRESOURCEA(2);

HRSRC findBitmap(HMODULE dll, int id) { return FindResourceA(dll, MAKEINTRESOURCEA(id), bitmapType); }

// The bitmap's header as stored in the DLL, or nullptr.
const BITMAPINFOHEADER* storedHeader(HMODULE dll, int id) {
    HRSRC resource = findBitmap(dll, id);
    if (!resource) return nullptr;
    HGLOBAL loaded = LoadResource(dll, resource);
    return loaded ? static_cast<const BITMAPINFOHEADER*>(LockResource(loaded)) : nullptr;
}

int rowBytes(const BITMAPINFOHEADER& info) { return (info.biWidth * 2 + 3) & ~3; }

// Row y counted from the top of the picture: the 16-bit pixels follow the header, rows bottom-up.
const BYTE* topDownRow(const BITMAPINFOHEADER& info, int y) {
    const BYTE* pixels = reinterpret_cast<const BYTE*>(&info) + info.biSize;
    return pixels + static_cast<std::size_t>(info.biHeight - 1 - y) * rowBytes(info);
}

unsigned channel(const BYTE* row, int x, int shift) {
    const unsigned pixel = row[x * 2] | row[x * 2 + 1] << 8;
    return (pixel >> shift) & 31;
}

bool framesEqual(const BITMAPINFOHEADER& info, int frameHeight, int first, int second) {
    for (int y = 0; y < frameHeight; ++y)
        if (std::memcmp(topDownRow(info, first * frameHeight + y), topDownRow(info, second * frameHeight + y),
                        info.biWidth * 2) != 0)
            return false;
    return true;
}

class PluginDll : public PluginLibrarySuite {};

class PanelBitmap : public PluginDll, public ::testing::WithParamInterface<BitmapFacts> {};

TEST_P(PanelBitmap, IsABitmapResource) { EXPECT_NE(findBitmap(dll, GetParam().id()), nullptr); }

TEST_P(PanelBitmap, Stores16BitUncompressedPixelsOfTheStatedSize) {
    const BitmapFacts& facts = GetParam();
    const BITMAPINFOHEADER* info = storedHeader(dll, facts.id());
    ASSERT_NE(info, nullptr);
    EXPECT_GE(info->biSize, sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(info->biBitCount, 16);
    EXPECT_EQ(info->biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(info->biWidth, facts.width());
    EXPECT_EQ(info->biHeight, facts.height()); // positive: rows stored bottom-up
    EXPECT_GE(SizeofResource(dll, findBitmap(dll, facts.id())),
              info->biSize + static_cast<DWORD>(rowBytes(*info) * facts.height()));
}

TEST_P(PanelBitmap, LoadsAsABitmapOfTheStatedSize) {
    const BitmapFacts& facts = GetParam();
    HBITMAP bitmap = LoadBitmapA(dll, MAKEINTRESOURCEA(facts.id()));
    ASSERT_NE(bitmap, nullptr);
    BITMAP described{};
    EXPECT_EQ(GetObjectA(bitmap, sizeof described, &described), static_cast<int>(sizeof described));
    EXPECT_EQ(described.bmWidth, facts.width());
    EXPECT_EQ(described.bmHeight, facts.height());
    DeleteObject(bitmap);
}

TEST_P(PanelBitmap, ShowsSomethingNewInEveryFrame) {
    const BitmapFacts& facts = GetParam();
    if (facts.frames() == 1) GTEST_SKIP() << "not a film strip";
    const BITMAPINFOHEADER* info = storedHeader(dll, facts.id());
    ASSERT_NE(info, nullptr);
    ASSERT_EQ(info->biHeight, facts.height());
    const int frameHeight = facts.picture->frameHeight;
    for (int frame = 0; frame + 1 < facts.frames(); ++frame)
        EXPECT_FALSE(framesEqual(*info, frameHeight, frame, frame + 1))
            << "frames " << frame << " and " << frame + 1;
}

INSTANTIATE_TEST_SUITE_P(Artwork, PanelBitmap, ::testing::ValuesIn(bitmaps), testName);

// The editor lights the output meter from the bottom up: green segments below, amber above.
TEST_F(PluginDll, OutputMeterHasEightGreenSegmentsUnderThreeAmberOnesWithDarkRowsBetween) {
    const BITMAPINFOHEADER* info = storedHeader(dll, panelLayout::kMeterLit.resource);
    ASSERT_NE(info, nullptr);
    ASSERT_EQ(info->biHeight, panelLayout::kMeterLit.frameHeight);
    for (int segment = 0; segment < 11; ++segment) {
        const BYTE* gap = topDownRow(*info, segment * 4);
        const BYTE* lit = topDownRow(*info, segment * 4 + 2);
        const unsigned red = channel(lit, 1, 10), green = channel(lit, 1, 5), blue = channel(lit, 1, 0);
        EXPECT_LE(channel(gap, 1, 10) + channel(gap, 1, 5) + channel(gap, 1, 0), 3u) << "segment " << segment;
        if (segment < 3)
            EXPECT_TRUE(red > 20 && green > 10 && blue < red / 2) << "segment " << segment << " is not amber";
        else
            EXPECT_TRUE(green > 20 && red < green && blue < green)
                << "segment " << segment << " is not green";
    }
}

} // namespace

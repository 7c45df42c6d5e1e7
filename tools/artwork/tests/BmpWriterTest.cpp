#include "BmpWriter.h"

#include <gtest/gtest.h>

namespace {

std::uint32_t readU32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t readU16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

// Three columns make a six-byte row, which must be padded to eight.
Image16 threeByTwo() {
    Image16 image(3, 2);
    image.at(0, 0) = 0x7c00;
    image.at(1, 0) = 0x03e0;
    image.at(2, 0) = 0x001f;
    image.at(0, 1) = 0x1234;
    image.at(1, 1) = 0x0001;
    image.at(2, 1) = 0x7fff;
    return image;
}

TEST(BmpWriter, WritesFileAndInfoHeadersFor16BitRgb) {
    const auto bytes = encodeBmp(threeByTwo());
    ASSERT_EQ(bytes.size(), 14u + 40u + 2 * 8u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(readU32(bytes, 2), bytes.size());
    EXPECT_EQ(readU32(bytes, 10), 54u);
    EXPECT_EQ(readU32(bytes, 14), 40u);
    EXPECT_EQ(readU32(bytes, 18), 3u);
    EXPECT_EQ(readU32(bytes, 22), 2u);
    EXPECT_EQ(readU16(bytes, 26), 1);
    EXPECT_EQ(readU16(bytes, 28), 16);
    EXPECT_EQ(readU32(bytes, 30), 0u);
    EXPECT_EQ(readU32(bytes, 34), 16u);
}

TEST(BmpWriter, StoresRowsBottomUpPaddedToFourBytes) {
    const auto bytes = encodeBmp(threeByTwo());
    // First stored row is the image's bottom row.
    EXPECT_EQ(readU16(bytes, 54), 0x1234);
    EXPECT_EQ(readU16(bytes, 56), 0x0001);
    EXPECT_EQ(readU16(bytes, 58), 0x7fff);
    EXPECT_EQ(readU16(bytes, 60), 0);
    EXPECT_EQ(readU16(bytes, 62), 0x7c00);
    EXPECT_EQ(readU16(bytes, 64), 0x03e0);
    EXPECT_EQ(readU16(bytes, 66), 0x001f);
    EXPECT_EQ(readU16(bytes, 68), 0);
}

TEST(BmpWriter, EncodesTheSameImageToTheSameBytes) {
    EXPECT_EQ(encodeBmp(threeByTwo()), encodeBmp(threeByTwo()));
}

} // namespace

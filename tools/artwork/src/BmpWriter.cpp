#include "BmpWriter.h"

#include <fstream>

namespace {

constexpr std::uint32_t fileHeaderSize = 14;
constexpr std::uint32_t infoHeaderSize = 40;

class LittleEndianWriter {
public:
    explicit LittleEndianWriter(std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    void u16(std::uint32_t value) {
        bytes_.push_back(static_cast<std::uint8_t>(value));
        bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    void u32(std::uint32_t value) {
        u16(value & 0xffff);
        u16(value >> 16);
    }

private:
    std::vector<std::uint8_t>& bytes_;
};

} // namespace

std::vector<std::uint8_t> encodeBmp(const Image16& image) {
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(image.width) * 2 + 3) & ~3u;
    const std::uint32_t pixelBytes = rowBytes * image.height;
    const std::uint32_t pixelOffset = fileHeaderSize + infoHeaderSize;

    std::vector<std::uint8_t> bytes;
    bytes.reserve(pixelOffset + pixelBytes);
    LittleEndianWriter out(bytes);

    out.u16(0x4d42); // "BM"
    out.u32(pixelOffset + pixelBytes);
    out.u32(0); // reserved
    out.u32(pixelOffset);

    out.u32(infoHeaderSize);
    out.u32(static_cast<std::uint32_t>(image.width));
    out.u32(static_cast<std::uint32_t>(image.height)); // positive: bottom-up
    out.u16(1);                                        // planes
    out.u16(16);                                       // bits per pixel
    out.u32(0);                                        // BI_RGB: 5-5-5
    out.u32(pixelBytes);
    out.u32(2835); // 72 dpi
    out.u32(2835);
    out.u32(0); // colours used
    out.u32(0); // important colours

    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x)
            out.u16(image.at(x, y));
        bytes.resize(bytes.size() + rowBytes - image.width * 2u, 0);
    }
    return bytes;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

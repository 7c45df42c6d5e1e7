#pragma once

#include "Image16.h"

#include <cstdint>
#include <string>
#include <vector>

// The bytes of an uncompressed 16-bit (5-5-5) Windows bitmap file: file header, BITMAPINFOHEADER,
// then rows bottom-up, each padded to a multiple of four bytes.
std::vector<std::uint8_t> encodeBmp(const Image16& image);

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

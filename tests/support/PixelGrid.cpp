#include "tests/support/PixelGrid.h"

#include <cstdio>

namespace {

BITMAPINFO topDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

} // namespace

Canvas::Canvas(int width, int height) : columns(width), rows(height) {
    BITMAPINFO info = topDown32(width, height);
    void* memoryBits = nullptr;
    section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memoryBits, nullptr, 0);
    bits = static_cast<Pixel*>(memoryBits);
    memory = CreateCompatibleDC(nullptr);
    previous = SelectObject(memory, section);
}

Canvas::~Canvas() {
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(section);
}

void Canvas::fill(Pixel colour) {
    GdiFlush();
    for (int i = 0; i < columns * rows; ++i)
        bits[i] = colour;
}

Pixel Canvas::at(int x, int y) const {
    GdiFlush();
    return bits[y * columns + x] & 0xFFFFFF;
}

PixelGrid::PixelGrid(int width, int height)
    : columns(width), rows(height), pixels(static_cast<size_t>(width) * size_t(height)) {}

PixelGrid::PixelGrid(HBITMAP bitmap, HDC reference) {
    BITMAP description{};
    if (!bitmap || !GetObjectA(bitmap, sizeof description, &description)) return;
    *this = PixelGrid(description.bmWidth, description.bmHeight);
    BITMAPINFO info = topDown32(columns, rows);
    HDC device = reference ? reference : GetDC(nullptr);
    GetDIBits(device, bitmap, 0, UINT(rows), pixels.data(), &info, DIB_RGB_COLORS);
    if (!reference) ReleaseDC(nullptr, device);
    keepColour();
}

void PixelGrid::keepColour() {
    for (Pixel& pixel : pixels)
        pixel &= 0xFFFFFF;
}

bool PixelGrid::save(const std::string& path) const {
    const int rowBytes = (columns * 3 + 3) / 4 * 4;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = columns;
    info.biHeight = rows; // bottom-up rows
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = DWORD(rowBytes * rows);
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    bool written =
        std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info, sizeof info, 1, out) == 1;
    std::vector<unsigned char> row(size_t(rowBytes), 0);
    for (int y = rows - 1; written && y >= 0; --y) {
        for (int x = 0; x < columns; ++x) {
            const Pixel pixel = at(x, y);
            row[size_t(x) * 3] = pixel & 0xFF;
            row[size_t(x) * 3 + 1] = pixel >> 8 & 0xFF;
            row[size_t(x) * 3 + 2] = pixel >> 16 & 0xFF;
        }
        written = std::fwrite(row.data(), row.size(), 1, out) == 1;
    }
    return std::fclose(out) == 0 && written;
}

PixelGrid loadPixels(HMODULE module, int resource, HDC reference) {
    HBITMAP bitmap = LoadBitmapA(module, MAKEINTRESOURCEA(resource));
    PixelGrid grid(bitmap, reference);
    if (bitmap) DeleteObject(bitmap);
    return grid;
}

PixelGrid capturePixels(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    PixelGrid shot(client.right, client.bottom);
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = topDown32(shot.columns, shot.rows);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, section);
    BitBlt(memory, 0, 0, shot.columns, shot.rows, screen, 0, 0, SRCCOPY);
    GdiFlush();
    if (bits)
        shot.pixels.assign(static_cast<const Pixel*>(bits),
                           static_cast<const Pixel*>(bits) + shot.pixels.size());
    shot.keepColour();
    SelectObject(memory, previous);
    DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return shot;
}

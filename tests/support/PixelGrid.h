#pragma once
// Pixels over real GDI: a 32-bit canvas to draw into and read back, the pixels of a bitmap, of a bitmap
// resource or of a window's client area as GDI hands them out in 32 bits, and a 24-bit BMP file of them
// for a person to look at.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Pixels are 0x00RRGGBB.
using Pixel = uint32_t;

constexpr Pixel rgb(int red, int green, int blue) {
    return Pixel(red) << 16 | Pixel(green) << 8 | Pixel(blue);
}

// A memory device drawing into a top-down 32-bit DIB section.
class Canvas {
public:
    Canvas(int width, int height);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas();

    void fill(Pixel colour);
    Pixel at(int x, int y) const;
    HDC device() const { return memory; }
    int width() const { return columns; }
    int height() const { return rows; }

private:
    int columns;
    int rows;
    Pixel* bits = nullptr;
    HBITMAP section;
    HDC memory;
    HGDIOBJ previous;
};

// Rows top first; empty when the source could not be read.
class PixelGrid {
public:
    PixelGrid() = default;
    // As converted for the reference device.
    PixelGrid(HBITMAP bitmap, HDC reference);

    Pixel at(int x, int y) const { return pixels[index(x, y)]; }
    void set(int x, int y, Pixel pixel) { pixels[index(x, y)] = pixel; }
    int width() const { return columns; }
    int height() const { return rows; }
    // Writes a 24-bit BMP file; false when the file cannot be written.
    bool save(const std::string& path) const;

private:
    PixelGrid(int width, int height);
    size_t index(int x, int y) const { return static_cast<size_t>(y) * size_t(columns) + size_t(x); }
    // Clears the byte above the colour, which GDI leaves undefined.
    void keepColour();
    friend PixelGrid capturePixels(HWND window);

    int columns = 0;
    int rows = 0;
    std::vector<Pixel> pixels;
};

// A bitmap resource of the module, as GDI converts it for the reference device (the screen's when null).
PixelGrid loadPixels(HMODULE module, int resource, HDC reference = nullptr);

// The window's client area as it is on the screen now.
PixelGrid capturePixels(HWND window);

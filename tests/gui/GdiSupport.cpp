#include "tests/gui/GdiSupport.h"

#include "gui/Frame.h"
#include "gui/ModuleHandle.h"

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

PixelGrid::PixelGrid(HBITMAP bitmap, HDC reference) {
    BITMAP description{};
    if (!GetObjectA(bitmap, sizeof description, &description)) return;
    columns = description.bmWidth;
    rows = description.bmHeight;
    pixels.resize(static_cast<size_t>(columns) * rows);
    BITMAPINFO info = topDown32(columns, rows);
    GetDIBits(reference, bitmap, 0, rows, pixels.data(), &info, DIB_RGB_COLORS);
    for (Pixel& pixel : pixels)
        pixel &= 0xFFFFFF;
}

HWND createHostWindow(int left, int top, int width, int height) {
    static const char* const className = [] {
        WNDCLASSA host{};
        host.lpfnWndProc = DefWindowProcA;
        host.hInstance = GetModuleHandleA(nullptr);
        host.lpszClassName = "QuenvaleTestHost";
        RegisterClassA(&host);
        return host.lpszClassName;
    }();
    return CreateWindowExA(0, className, "host", WS_POPUP | WS_VISIBLE, left, top, width, height, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

PixelGrid loadPixels(HMODULE module, int resource, HDC reference) {
    HBITMAP bitmap = LoadBitmapA(module, MAKEINTRESOURCEA(resource));
    PixelGrid grid(bitmap, reference);
    DeleteObject(bitmap);
    return grid;
}

HMODULE PluginLibraryTest::dll = nullptr;

void PluginLibraryTest::SetUpTestSuite() { dll = LoadLibraryA("QuenvaleCompressor.dll"); }

void PluginLibraryTest::TearDownTestSuite() { FreeLibrary(dll); }

void PluginLibraryTest::SetUp() {
    ASSERT_NE(dll, nullptr) << "QuenvaleCompressor.dll did not load";
    moduleHandle = dll;
}

HWND windowOf(const Frame& frame) { return static_cast<HWND>(frame.windowHandle()); }

void ScriptedPointer::pointAt(HWND window, Point where) {
    RECT outer{};
    GetWindowRect(window, &outer);
    cursor = {outer.left + where.x, outer.top + where.y};
}

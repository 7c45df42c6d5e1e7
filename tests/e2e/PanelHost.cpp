#include "tests/e2e/PanelHost.h"

#include "host/HostRecords.h"
#include "host/Opcodes.h"

#include <atomic>
#include <cstdio>
#include <thread>

namespace {

constexpr char kHostClass[] = "QuenvaleTestHostWindow";
constexpr int kLeft = 40; // where the panel's top-left corner lands on the screen
constexpr int kTop = 40;

void registerHostClass() {
    WNDCLASSA host{};
    host.lpfnWndProc = DefWindowProcA;
    host.hInstance = GetModuleHandleA(nullptr);
    host.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    host.lpszClassName = kHostClass;
    RegisterClassA(&host); // fails harmlessly when a previous host registered it
}

void dispatchWaiting() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Wine answers an asynchronous key read from a thread's copy of the key state while that copy is
// younger than 50 ms. Reading the key back here, with this thread's copy older than that, makes Wine
// see the change and drop every thread's copy: the panel's thread then sees the input at once, as it
// would see a user's.
void sendInput(INPUT input, int virtualKey) {
    Sleep(60);
    SendInput(1, &input, sizeof input);
    GetAsyncKeyState(virtualKey);
}

void sendMouse(DWORD flags, int data = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = DWORD(data);
    sendInput(input, VK_LBUTTON);
}

void sendKey(WORD virtualKey, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = flags;
    sendInput(input, virtualKey);
}

} // namespace

bool Snapshot::save(const std::string& path) const {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height; // bottom-up rows
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = DWORD(rowBytes * height);
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    bool written =
        std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info, sizeof info, 1, out) == 1;
    std::vector<unsigned char> row(size_t(rowBytes), 0);
    for (int y = height - 1; written && y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t pixel = at(x, y);
            row[size_t(x) * 3] = pixel & 0xFF;
            row[size_t(x) * 3 + 1] = pixel >> 8 & 0xFF;
            row[size_t(x) * 3 + 2] = pixel >> 16 & 0xFF;
        }
        written = std::fwrite(row.data(), row.size(), 1, out) == 1;
    }
    return std::fclose(out) == 0 && written;
}

Snapshot resourcePicture(HMODULE library, int resource) {
    Snapshot picture;
    HBITMAP bitmap = LoadBitmapA(library, MAKEINTRESOURCEA(resource));
    BITMAP size{};
    if (!bitmap || !GetObjectA(bitmap, sizeof size, &size)) return picture;
    picture.width = size.bmWidth;
    picture.height = size.bmHeight;
    picture.pixels.resize(size_t(picture.width) * size_t(picture.height));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), picture.width, -picture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, UINT(picture.height), picture.pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    for (uint32_t& pixel : picture.pixels)
        pixel &= 0xFFFFFF;
    return picture;
}

PanelHost::PanelHost(const LoadedPlugin& loaded) : plugin(loaded) {
    registerHostClass();
    ERect* rect = nullptr;
    plugin.dispatch(effEditGetRect, 0, 0, &rect);
    RECT frame{0, 0, rect ? rect->right - rect->left : 660, rect ? rect->bottom - rect->top : 259};
    const DWORD style = WS_POPUP | WS_VISIBLE;
    AdjustWindowRect(&frame, style, FALSE);
    hostWindow =
        CreateWindowExA(WS_EX_TOPMOST, kHostClass, "Test host", style, kLeft, kTop, frame.right - frame.left,
                        frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(hostWindow);
    pump(50);
}

PanelHost::~PanelHost() {
    DestroyWindow(hostWindow);
    dispatchWaiting();
}

HWND PanelHost::panelWindow() const { return FindWindowExA(hostWindow, nullptr, nullptr, nullptr); }

HostInt PanelHost::open() { return plugin.dispatch(effEditOpen, 0, 0, hostWindow); }

void PanelHost::close() { plugin.dispatch(effEditClose); }

void PanelHost::idle() { plugin.dispatch(effEditIdle); }

void PanelHost::pump(int milliseconds) {
    const DWORD end = GetTickCount() + DWORD(milliseconds);
    do {
        dispatchWaiting();
        Sleep(5);
    } while (int32_t(end - GetTickCount()) > 0);
    dispatchWaiting();
}

HostInt PanelHost::openAndShow() {
    const HostInt opened = open();
    UpdateWindow(hostWindow);
    pump(100);
    return opened;
}

Snapshot PanelHost::capture() const {
    RECT client{};
    GetClientRect(hostWindow, &client);
    Snapshot shot;
    shot.width = client.right;
    shot.height = client.bottom;
    shot.pixels.resize(size_t(shot.width) * size_t(shot.height));
    HDC screen = GetDC(hostWindow);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), shot.width, -shot.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, section);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < shot.pixels.size(); ++i)
        shot.pixels[i] = pixels[i] & 0xFFFFFF;
    SelectObject(memory, previous);
    DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(hostWindow, screen);
    return shot;
}

POINT PanelHost::onScreen(int x, int y) const {
    POINT point{x, y};
    ClientToScreen(hostWindow, &point);
    return point;
}

InputScript& InputScript::moveTo(POINT screen) {
    steps.push_back([screen] { SetCursorPos(screen.x, screen.y); });
    return *this;
}

InputScript& InputScript::press() {
    steps.push_back([] { sendMouse(MOUSEEVENTF_LEFTDOWN); });
    return *this;
}

InputScript& InputScript::release() {
    steps.push_back([] { sendMouse(MOUSEEVENTF_LEFTUP); });
    return *this;
}

InputScript& InputScript::wheel(int notches) {
    steps.push_back([notches] { sendMouse(MOUSEEVENTF_WHEEL, notches * WHEEL_DELTA); });
    return *this;
}

InputScript& InputScript::keyDown(WORD virtualKey) {
    steps.push_back([virtualKey] { sendKey(virtualKey, 0); });
    return *this;
}

InputScript& InputScript::keyUp(WORD virtualKey) {
    steps.push_back([virtualKey] { sendKey(virtualKey, KEYEVENTF_KEYUP); });
    return *this;
}

InputScript& InputScript::pause(int milliseconds) {
    steps.push_back([milliseconds] { Sleep(DWORD(milliseconds)); });
    return *this;
}

void InputScript::play(PanelHost& host) {
    std::atomic<bool> done{false};
    std::thread player([&] {
        for (const auto& step : steps) {
            step();
            Sleep(10); // a drag loop polls between steps
        }
        done = true;
    });
    while (!done)
        host.pump(10);
    player.join();
    host.pump(100);
}

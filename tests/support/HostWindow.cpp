#include "tests/support/HostWindow.h"

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_VISIBLE;

HWND makeHostWindow() {
    WNDCLASSA host{};
    host.lpfnWndProc = DefWindowProcA;
    host.hInstance = GetModuleHandleA(nullptr);
    host.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // the arrow
    host.lpszClassName = "QuenvaleTestHost";
    RegisterClassA(&host);
    return CreateWindowExA(WS_EX_TOPMOST, host.lpszClassName, "Test host", kStyle, 0, 0, 1, 1, nullptr,
                           nullptr, host.hInstance, nullptr);
}

} // namespace

HWND sharedHostWindow(int left, int top, int width, int height) {
    // A window belongs to its thread: a test that runs a host on a thread of its own gets its own.
    static thread_local const HWND window = makeHostWindow();
    RECT outer{left, top, left + width, top + height};
    AdjustWindowRectEx(&outer, kStyle, FALSE, WS_EX_TOPMOST);
    SetWindowPos(window, HWND_TOPMOST, outer.left, outer.top, outer.right - outer.left,
                 outer.bottom - outer.top, SWP_SHOWWINDOW);
    return window;
}

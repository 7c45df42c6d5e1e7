#include "tests/e2e/PanelHost.h"

#include "host/HostRecords.h"
#include "host/Opcodes.h"
#include "tests/support/HostWindow.h"

#include <atomic>
#include <thread>

namespace {

constexpr int kLeft = 40; // where the panel's top-left corner lands on the screen
constexpr int kTop = 40;

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

PanelHost::PanelHost(const LoadedPlugin& loaded) : plugin(loaded) {
    ERect* rect = nullptr;
    plugin.dispatch(effEditGetRect, 0, 0, &rect);
    hostWindow = sharedHostWindow(kLeft, kTop, rect ? rect->right - rect->left : 660,
                                  rect ? rect->bottom - rect->top : 259);
    SetForegroundWindow(hostWindow);
    pump(50);
}

// The window stays for the next test; a panel left open goes now, while its library is still loaded.
PanelHost::~PanelHost() {
    HWND left = panelWindow();
    while (left && DestroyWindow(left))
        left = panelWindow();
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

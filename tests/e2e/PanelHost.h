#pragma once
// The editor side of a host, for tests of the real panel: the host window, whose client area holds the
// plug-in's editor, opened, idled and closed through the dispatcher only, with the window's
// pixels read back and real mouse and keyboard input sent from a second thread while this thread goes
// on dispatching messages, as a host's user-interface thread does.

#include "tests/support/PixelGrid.h"
#include "tools/host/LoadedPlugin.h"

#include <windows.h>

#include <functional>
#include <vector>

class PanelHost {
public:
    explicit PanelHost(const LoadedPlugin& plugin);
    ~PanelHost();
    PanelHost(const PanelHost&) = delete;
    PanelHost& operator=(const PanelHost&) = delete;

    HWND window() const { return hostWindow; }
    // The plug-in's window inside the host's, or null while the panel is closed.
    HWND panelWindow() const;

    HostInt open();
    void close();
    void idle();
    // Dispatches the thread's messages for the given time, so that paints arrive.
    void pump(int milliseconds);
    // Opens and pumps until the first paint has been served.
    HostInt openAndShow();

    // Panel pixels as they are on the screen now.
    PixelGrid capture() const { return capturePixels(hostWindow); }
    // A panel point in screen coordinates.
    POINT onScreen(int x, int y) const;

private:
    const LoadedPlugin& plugin;
    HWND hostWindow = nullptr;
};

// Real input, sent with SetCursorPos and SendInput from a thread of its own, one step every few
// milliseconds, while the calling thread dispatches messages. A knob's drag loop runs inside the
// dispatch of the button press and polls the mouse, so it sees the moves as a user's.
class InputScript {
public:
    InputScript& moveTo(POINT screen);
    InputScript& press();
    InputScript& release();
    // Turns the wheel by whole notches, away from the user for positive counts.
    InputScript& wheel(int notches);
    InputScript& keyDown(WORD virtualKey);
    InputScript& keyUp(WORD virtualKey);
    InputScript& pause(int milliseconds);
    // Runs the script on its own thread and dispatches messages here until it is done and the
    // thread's input has been handled.
    void play(PanelHost& host);

private:
    std::vector<std::function<void()>> steps;
};

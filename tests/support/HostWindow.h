#pragma once
// The window standing in for a host's: visible, top-level, always on top. Wine takes about two seconds
// to destroy a visible window, so each thread makes one on first use and every test borrows it; it goes
// when its thread ends. A test leaves nothing inside it.

#include <windows.h>

// The calling thread's host window with its client area placed at the given screen rectangle.
HWND sharedHostWindow(int left, int top, int width, int height);

#pragma once
// Values shared by every frame of the process: written when a frame is made or registers its window
// class, read while drawing and polling the mouse. Frames are made, drawn and destroyed only on the
// host's user-interface thread, so these (and the class name and user counts in gui/Frame.cpp) belong
// to that thread and need no atomics.

#include <windows.h>

using TransparentBltFunction = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

// The user swapped the primary and secondary mouse buttons.
extern bool swapButtons;

// TransparentBlt of msimg32.dll, or null: bitmaps then leave out their key colour with a mask.
extern TransparentBltFunction transparentBltEntry;

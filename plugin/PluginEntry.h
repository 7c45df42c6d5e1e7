#pragma once
// Process-wide values of the loaded library.

#include <windows.h>

// The library's instance handle, kept by DllMain; bitmaps and the window class are found through it.
extern HINSTANCE moduleHandle;

// Set once an editor could not be built; from then on no instance is handed out.
extern bool editorCreationFailed;

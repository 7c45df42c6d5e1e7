#pragma once
// The loaded library's instance handle, which names the toolkit's window class and owns the bitmap
// resources. The library's entry point stores it when Windows loads the module.

#include <windows.h>

extern HINSTANCE moduleHandle;

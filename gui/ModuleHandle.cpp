#include "gui/ModuleHandle.h"

HINSTANCE moduleHandle = nullptr;

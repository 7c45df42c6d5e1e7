#pragma once
// Process-wide values of the loaded library.

#include "gui/ModuleHandle.h"

// Set once an editor could not be built; from then on no instance is handed out.
extern bool editorCreationFailed;

#include "gui/OleUse.h"

#include <ole2.h>

// S_FALSE (already initialised) is a use like S_OK and is ended like one.
OleUse::OleUse() : initialised(SUCCEEDED(OleInitialize(nullptr))) {}

OleUse::~OleUse() {
    if (initialised) OleUninitialize();
}

#include "editor/EditorBase.h"

int32_t EditorBase::getPanelRect(ERect** rect) {
    *rect = nullptr;
    return 0;
}

int32_t EditorBase::openPanel(void* parent) {
    parentWindow = parent;
    return 0;
}

void EditorBase::idle() {
    if (refreshPending.exchange(0, std::memory_order_relaxed)) refresh();
}

int32_t EditorBase::keyDown(VstKeyCode&) { return -1; }
int32_t EditorBase::keyUp(VstKeyCode&) { return -1; }
int32_t EditorBase::selectKnobMode(int32_t) { return 0; }
bool EditorBase::wheelTurned(float) { return false; }

#include "gui/PointerInput.h"

#include <windows.h>

namespace {

class SystemPointerInput final : public PointerInput {
public:
    // Held when the top bit of the asynchronous state is set.
    bool isHeld(int virtualKey) override { return GetAsyncKeyState(virtualKey) & 0x8000; }
    bool wasHeldAtMessage(int virtualKey) override { return GetKeyState(virtualKey) & 0x8000; }

    Point screenCursor() override {
        POINT cursor{};
        GetCursorPos(&cursor);
        return {cursor.x, cursor.y};
    }
};

SystemPointerInput systemInput;
PointerInput* active = &systemInput;

} // namespace

PointerInput& PointerInput::current() { return *active; }

void PointerInput::use(PointerInput* source) { active = source ? source : &systemInput; }

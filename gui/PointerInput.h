#pragma once
// The two reads a drag loop polls: whether a key or mouse button is held, and where the cursor is on
// the screen. The product reads the system's asynchronous key state and cursor; tests script a drag by
// putting their own source in place.

#include "gui/Geometry.h"

class PointerInput {
public:
    // Held now.
    virtual bool isHeld(int virtualKey) = 0;
    // Held when the message being handled was sent: what a press message saw, however late it is
    // served. A source without message state answers with the present.
    virtual bool wasHeldAtMessage(int virtualKey) { return isHeld(virtualKey); }
    virtual Point screenCursor() = 0;

    // The source in use; the system's unless another was put in place.
    static PointerInput& current();
    // Puts a source in place, or the system's again with null.
    static void use(PointerInput* source);

protected:
    ~PointerInput() = default;
};

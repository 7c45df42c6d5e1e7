#include "gui/IdleThrottle.h"

namespace {

// Milliseconds from now until the tick, negative once it has passed, correct across the wrap.
int32_t remaining(uint32_t tick, uint32_t now) { return static_cast<int32_t>(tick - now); }

} // namespace

bool IdleThrottle::claim() {
    uint32_t now = clock.ticks();
    if (remaining(nextIdleTick, now) > 0) {
        clock.sleep(kPause);
        now += kPause;
        if (remaining(nextIdleTick, now) > kWindow) return false;
    }
    nextIdleTick = now + kInterval;
    return true;
}

#pragma once
// A clock for the idle throttle whose time moves only when a test moves it or the code under test
// sleeps, so the pace of idles is exact and no test waits.

#include "gui/IdleThrottle.h"

#include <cstdint>

class ScriptedClock final : public IdleThrottle::Clock {
public:
    explicit ScriptedClock(uint32_t start = 0) : now(start) {}
    uint32_t ticks() override { return now; }
    void sleep(uint32_t milliseconds) override {
        slept += milliseconds;
        now += milliseconds;
    }

    uint32_t now;
    uint32_t slept = 0; // every sleep's milliseconds added up
};

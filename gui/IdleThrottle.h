#pragma once
// Paces the idle that a control runs while it holds the mouse: about one idle every 50 milliseconds,
// however often the drag loop asks. Ticks are compared by their signed difference, so the wrap of the
// 32-bit millisecond counter after 49.7 days neither stops nor floods the idle.

#include <cstdint>

class IdleThrottle {
public:
    // Where the throttle reads the time and waits; the product uses the system's tick count and sleep.
    class Clock {
    public:
        virtual uint32_t ticks() = 0;
        virtual void sleep(uint32_t milliseconds) = 0;

    protected:
        ~Clock() = default;
    };

    static constexpr uint32_t kPause = 4;      // sleep when asked early
    static constexpr int32_t kWindow = 50;     // run when no more than this remains after the pause
    static constexpr uint32_t kInterval = 100; // the next run is due this long after the last one

    explicit IdleThrottle(Clock& source) : clock(source), nextIdleTick(source.ticks()) {}

    // True when the idle should run now; the next one is then due kInterval later.
    bool claim();

private:
    Clock& clock;
    uint32_t nextIdleTick;
};

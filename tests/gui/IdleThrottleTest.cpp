// The pace of the idle during a drag, on a scripted clock whose sleep moves time forward.

#include "gui/IdleThrottle.h"
#include "tests/support/ScriptedClock.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Calls claim every step milliseconds (measured between calls) and lists which calls ran the idle.
std::vector<bool> runs(uint32_t start, uint32_t step, int calls) {
    ScriptedClock clock(start);
    IdleThrottle throttle(clock);
    std::vector<bool> ran;
    for (int i = 0; i < calls; ++i) {
        if (i) clock.now += step;
        ran.push_back(throttle.claim());
    }
    return ran;
}

int count(const std::vector<bool>& ran) {
    int n = 0;
    for (bool run : ran)
        n += run;
    return n;
}

struct PaceCase {
    uint32_t start;
    uint32_t step;
};

std::ostream& operator<<(std::ostream& out, const PaceCase& c) {
    return out << "start " << c.start << ", step " << c.step;
}

// Starting points include the last second before the millisecond counter wraps.
const uint32_t starts[] = {0u, 1000u, 0xFFFFFF00u, 0xFFFFFFF0u, 0xFFFFFFFFu};

TEST(IdleThrottle, CallsTenMillisecondsApartRunTheIdleAtMostOnceBetweenThem) {
    for (uint32_t start : starts) {
        const std::vector<bool> ran = runs(start, 10, 2);
        EXPECT_LE(count(ran), 1) << PaceCase{start, 10};
    }
}

TEST(IdleThrottle, CallsSixtyMillisecondsApartRunTheIdleEachTime) {
    for (uint32_t start : starts) {
        const std::vector<bool> ran = runs(start, 60, 40);
        EXPECT_EQ(count(ran), 40) << PaceCase{start, 60};
    }
}

TEST(IdleThrottle, AFastDragRunsTheIdleAboutEveryFiftyMilliseconds) {
    for (uint32_t start : starts) {
        // 1 ms per step of the drag loop, plus the 4 ms pause of every early call: 5 s of dragging.
        const std::vector<bool> ran = runs(start, 1, 1000);
        EXPECT_GE(count(ran), 90) << PaceCase{start, 1};
        EXPECT_LE(count(ran), 110) << PaceCase{start, 1};
    }
}

TEST(IdleThrottle, AnEarlyCallSleepsFourMillisecondsAndADueOneDoesNot) {
    ScriptedClock clock(500);
    IdleThrottle throttle(clock);
    EXPECT_TRUE(throttle.claim());
    EXPECT_EQ(clock.slept, 0u) << "due at construction";
    clock.now += 10;
    EXPECT_FALSE(throttle.claim());
    EXPECT_EQ(clock.slept, 4u);
}

// The next run is due 100 ms after a run; it happens once no more than 50 ms remain after the pause.
TEST(IdleThrottle, RunsWhenFiftyMillisecondsRemainAfterThePause) {
    const struct {
        uint32_t wait;
        bool runs;
    } cases[] = {{45, false}, {46, true}, {60, true}, {99, true}, {100, true}, {200, true}};
    for (uint32_t start : starts)
        for (const auto& c : cases) {
            ScriptedClock clock(start);
            IdleThrottle throttle(clock);
            ASSERT_TRUE(throttle.claim());
            clock.now += c.wait;
            EXPECT_EQ(throttle.claim(), c.runs)
                << "start " << start << ", next call " << c.wait << " ms later";
        }
}

} // namespace

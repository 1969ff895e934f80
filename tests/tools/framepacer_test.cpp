#include "tools/framepacer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace std::chrono_literals;
using tamble::FramePacer;
using TimePoint = std::chrono::steady_clock::time_point;

// Asks the pacer once at each of the given times (ms from an arbitrary
// start) and returns which asks were answered "show".
std::vector<bool> DueAt(const std::vector<int>& millis) {
    TimePoint now{};
    FramePacer pacer([&now] { return now; }, 16ms);
    std::vector<bool> due;
    for (int ms : millis) {
        now = TimePoint{} + std::chrono::milliseconds(ms);
        due.push_back(pacer.Due());
    }
    return due;
}

TEST(FramePacer, ShowsTheFirstStateThenAtMostOncePerFrame) {
    struct Case {
        const char* name;
        std::vector<int> millis;
        std::vector<bool> due;
    };
    const Case cases[] = {
        {"fast steps: one per frame",
         {0, 1, 5, 15, 16, 17, 31, 32, 33},
         {true, false, false, false, true, false, false, true, false}},
        {"the frame counts from the last shown state, not the last ask",
         {0, 10, 20, 30, 40},
         {true, false, true, false, true}},
        {"slow steps: every one", {0, 16, 40, 100, 116}, {true, true, true, true, true}},
        {"a clock standing still: only the first", {7, 7, 7, 7}, {true, false, false, false}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DueAt(c.millis), c.due) << c.name;
}

TEST(FramePacer, NeverMoreOftenThanTheFrameOverALongRun) {
    // 10,000 steps of 1 ms: 10 s of run; each shown state at least a frame
    // after the previous one, and the run still seen to move.
    TimePoint now{};
    FramePacer pacer([&now] { return now; });
    std::vector<TimePoint> shown;
    for (int i = 0; i < 10000; ++i) {
        now += 1ms;
        if (pacer.Due()) shown.push_back(now);
    }
    for (size_t i = 1; i < shown.size(); ++i)
        EXPECT_GE(shown[i] - shown[i - 1], FramePacer::kFrame);
    EXPECT_GE(shown.size(), 10000u / 17);
}

} // namespace

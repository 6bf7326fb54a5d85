// The readiness wait's timing rules against a clock of the test's own.
#include "browser/ReadyWait.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

// Time moves only when the wait sleeps (and by `pollCost` per query).
class FakeClock : public ReadyWait::Platform {
public:
    uint32_t now;
    uint32_t pollCost = 0;
    std::vector<long> states;  // answer per poll; past the end the last one repeats
    std::vector<bool> fails;   // queries that fail, per poll
    int polls = 0, sleeps = 0;

    explicit FakeClock(uint32_t start = 1000) : now(start) {}
    uint32_t TickCount() override { return now; }
    void Sleep(uint32_t ms) override
    {
        ++sleeps;
        now += ms;
    }
    bool QueryReadyState(long* state) override
    {
        size_t i = static_cast<size_t>(polls++);
        now += pollCost;
        if (i < fails.size() && fails[i])
            return false;
        *state = states.empty() ? 0 : states[std::min(i, states.size() - 1)];
        return true;
    }
};

struct WaitCase {
    const char* what;
    int32_t timeout;
    std::vector<long> states;
    std::vector<bool> fails;
    uint32_t start;
    bool ready;
    int polls, sleeps;
};

TEST(ReadyWait, TimingTable)
{
    const WaitCase cases[] = {
        { "ready at the first poll: no sleep", 2000, { 4 }, {}, 1000, true, 1, 0 },
        { "ready at the third poll", 2000, { 1, 3, 4 }, {}, 1000, true, 3, 2 },
        // 20 sleeps make exactly 2000 ms, which is not more than the time-out: one more round.
        { "never ready: false after more than 2000 ms", 2000, { 1 }, {}, 1000, false, 21, 21 },
        { "time-out 1", 1, { 1 }, {}, 1000, false, 1, 1 },
        { "no limit with 0", 0, { 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 4 }, {},
          1000, true, 26, 25 },
        { "no limit with a negative time-out", -5, { 1, 1, 1, 4 }, {}, 1000, true, 4, 3 },
        { "failing first query counts as not ready", 2000, { 4 }, { true }, 1000, true, 2, 1 },
        // The second query fails: the state stays "loading", the wait goes on, and the third
        // query's "complete" ends it.
        { "failing query keeps the previous value", 2000, { 1, 4, 4 }, { false, true, false }, 1000, true, 3, 2 },
        { "failing query after not ready stays not ready", 300, { 1 }, { false, true, true, true }, 1000, false, 4, 4 },
        { "start just before the tick count wraps", 2000, { 1 }, {}, 0xFFFFFF00u, false, 21, 21 },
    };
    for (const WaitCase& c : cases) {
        FakeClock clock(c.start);
        clock.states = c.states;
        clock.fails = c.fails;
        EXPECT_EQ(c.ready, ReadyWait::Run(clock, c.timeout)) << c.what;
        EXPECT_EQ(c.polls, clock.polls) << c.what;
        EXPECT_EQ(c.sleeps, clock.sleeps) << c.what;
        if (!c.ready && c.timeout >= 1) {
            EXPECT_GT(clock.now - c.start, static_cast<uint32_t>(c.timeout)) << c.what;
        }
    }
}

TEST(ReadyWait, SlowPollsEndOnTheFirstCheckPastTheTimeOut)
{
    FakeClock clock;
    clock.pollCost = 950;
    clock.states = { 1 };
    EXPECT_FALSE(ReadyWait::Run(clock, 2000));
    EXPECT_EQ(2, clock.polls);  // 950 + 100, then 2100 > 2000
}
}

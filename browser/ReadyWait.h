// The bounded wait for a browser to report that it is ready, over a clock, a sleep and the
// ready-state query, so that its timing rules do not depend on the platform.
#pragma once
#include <cstdint>

class ReadyWait {
public:
    class Platform {
    public:
        virtual ~Platform() = default;
        virtual uint32_t TickCount() = 0;
        virtual void Sleep(uint32_t ms) = 0;
        // False when the query failed; *state is then left alone.
        virtual bool QueryReadyState(long* state) = 0;
    };

    static constexpr long kComplete = 4;     // READYSTATE_COMPLETE
    static constexpr uint32_t kPollMs = 100;

    // Polls until the state is complete or, with a time-out of 1 ms or more, until more
    // than the time-out has passed after a sleep. A time-out below 1 waits without limit.
    static bool Run(Platform& platform, int32_t timeoutMs);
};

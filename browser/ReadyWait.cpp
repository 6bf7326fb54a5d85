#include "ReadyWait.h"

bool ReadyWait::Run(Platform& platform, int32_t timeoutMs)
{
    const uint32_t start = platform.TickCount();
    long state = 0;
    for (;;) {
        platform.QueryReadyState(&state);
        if (state != kComplete)
            platform.Sleep(kPollMs);
        // Unsigned difference: correct across the wrap of the tick count.
        if (timeoutMs >= 1 && platform.TickCount() - start > static_cast<uint32_t>(timeoutMs))
            break;
        if (state == kComplete)
            break;
    }
    return state == kComplete;
}

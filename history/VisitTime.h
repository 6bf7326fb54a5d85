// Times of the histories: a URL-cache record's last-access time as whole seconds since
// 1970-01-01 00:00 UTC, the distance from Windows' and Chromium's epoch (1601-01-01) to 1970,
// and the clock.
#pragma once
#include <chrono>
#include <climits>
#include <cstdint>

class VisitTime {
public:
    static constexpr int64_t kSeconds1601To1970 = 11644473600LL;
    static constexpr int64_t kMicros1601To1970 = kSeconds1601To1970 * 1000000;

    // Microseconds since 1970-01-01 UTC now.
    static int64_t NowUs()
    {
        return std::chrono::duration_cast<std::chrono::microseconds>(
                   std::chrono::system_clock::now().time_since_epoch())
            .count();
    }

    // Sub-second parts are dropped. A time the result cannot hold (a zero file time, any time
    // before 1970, any after 2038-01-19 03:14:07) saturates to 0 or to INT32_MAX.
    static int32_t FromFileTime(uint64_t fileTime)
    {
        const uint64_t kTicksPerSecond = 10000000;
        uint64_t seconds = fileTime / kTicksPerSecond;
        if (seconds < static_cast<uint64_t>(kSeconds1601To1970))
            return 0;
        seconds -= kSeconds1601To1970;
        return seconds > INT32_MAX ? INT32_MAX : static_cast<int32_t>(seconds);
    }
};

// A history record's last-access time as whole seconds since 1970-01-01 00:00 UTC.
#pragma once
#include <climits>
#include <cstdint>

class VisitTime {
public:
    // Sub-second parts are dropped. A time the result cannot hold (a zero file time, any time
    // before 1970, any after 2038-01-19 03:14:07) saturates to 0 or to INT32_MAX.
    static int32_t FromFileTime(uint64_t fileTime)
    {
        const uint64_t kTicksPerSecond = 10000000;
        const uint64_t kSeconds1601To1970 = 11644473600ULL;
        uint64_t seconds = fileTime / kTicksPerSecond;
        if (seconds < kSeconds1601To1970)
            return 0;
        seconds -= kSeconds1601To1970;
        return seconds > INT32_MAX ? INT32_MAX : static_cast<int32_t>(seconds);
    }
};

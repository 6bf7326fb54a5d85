#include "VisitTime.h"

int32_t VisitTime::FromFileTime(uint64_t fileTime)
{
    const uint64_t kTicksPerSecond = 10000000;
    const uint64_t kSeconds1601To1970 = 11644473600ULL;
    uint64_t seconds = fileTime / kTicksPerSecond;
    if (seconds < kSeconds1601To1970)
        return 0;
    seconds -= kSeconds1601To1970;
    return seconds > INT32_MAX ? INT32_MAX : static_cast<int32_t>(seconds);
}

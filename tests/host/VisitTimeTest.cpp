// Last-access times to seconds since 1970, defined for every file time.
#include "history/VisitTime.h"
#include "FakeHistoryStore.h"
#include <climits>
#include <gtest/gtest.h>

TEST(VisitTime, FromFileTimeTable)
{
    const struct { const char* what; uint64_t fileTime; int32_t seconds; } cases[] = {
        { "the epoch", FileTimeOf(0), 0 },
        { "a visit", FileTimeOf(1765368000), 1765368000 },
        { "sub-second parts dropped", FileTimeOf(100) + 9999999, 100 },
        { "last representable second", FileTimeOf(INT32_MAX), INT32_MAX },
        { "just after 2038", FileTimeOf(static_cast<int64_t>(INT32_MAX) + 1), INT32_MAX },
        { "largest file time", UINT64_MAX, INT32_MAX },
        { "zero file time", 0, 0 },
        { "just before 1970", FileTimeOf(0) - 1, 0 },
        { "1601 plus a second", 10000000, 0 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.seconds, VisitTime::FromFileTime(c.fileTime)) << c.what;
}

// A moment as the user reads it: in the local time of this machine's time zone, with its
// daylight-saving rules of that date.
#pragma once
#include <cstdint>
#include <string>

class LocalTimeText {
public:
    // The date and the time to the minute in the user's short formats, for a file time (100-ns
    // ticks since 1601-01-01 UTC); empty for 0.
    static std::wstring Minutes(uint64_t fileTime);
    // How far local time was ahead of UTC at that moment, in minutes (0 when it cannot be told).
    static int OffsetMinutes(uint64_t fileTime);
    // The file time of this day's local midnight (0 when it cannot be told).
    static uint64_t StartOfToday();
    // The file time now.
    static uint64_t Now();
    // A file time as microseconds since 1970-01-01 UTC.
    static int64_t UnixMicros(uint64_t fileTime) { return static_cast<int64_t>(fileTime / 10) - 11644473600LL * 1000000; }
};

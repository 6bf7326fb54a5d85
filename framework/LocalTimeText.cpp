#include "LocalTimeText.h"
#include <windows.h>

std::wstring LocalTimeText::Minutes(uint64_t fileTime)
{
    FILETIME ft = { static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32) };
    SYSTEMTIME utc, local;
    if (fileTime == 0 || !FileTimeToSystemTime(&ft, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return std::wstring();
    wchar_t date[80] = {}, time[80] = {};
    if (!GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, date, 80, nullptr) ||
        !GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, time, 80))
        return std::wstring();
    return std::wstring(date) + L" " + time;
}

int LocalTimeText::OffsetMinutes(uint64_t fileTime)
{
    FILETIME ft = { static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32) }, localFt;
    SYSTEMTIME utc, local;
    if (fileTime == 0 || !FileTimeToSystemTime(&ft, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) ||
        !SystemTimeToFileTime(&local, &localFt))
        return 0;
    const int64_t ticks = static_cast<int64_t>((static_cast<uint64_t>(localFt.dwHighDateTime) << 32) | localFt.dwLowDateTime) -
                          static_cast<int64_t>(fileTime);
    // To the minute: SystemTimeToFileTime drops nothing, but the ticks below a millisecond were never there.
    return static_cast<int>((ticks + (ticks < 0 ? -300000000 : 300000000)) / 600000000);
}

uint64_t LocalTimeText::StartOfToday()
{
    SYSTEMTIME local, utc;
    GetLocalTime(&local);
    local.wHour = local.wMinute = local.wSecond = local.wMilliseconds = 0;
    FILETIME ft;
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) || !SystemTimeToFileTime(&utc, &ft))
        return 0;
    return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

uint64_t LocalTimeText::Now()
{
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

#include "LocalTimeText.h"
#include <windows.h>

std::wstring LocalTimeText::Minutes(uint64_t fileTime)
{
    FILETIME ft = { static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32) };
    SYSTEMTIME utc, local;
    if (fileTime == 0 || !FileTimeToSystemTime(&ft, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return std::wstring();
    std::wstring text;
    auto digits = [&text](unsigned value, int width) {
        wchar_t d[8];
        for (int i = width - 1; i >= 0; --i, value /= 10)
            d[i] = static_cast<wchar_t>(L'0' + value % 10);
        text.append(d, static_cast<size_t>(width));
    };
    digits(local.wYear, 4);
    text += L'/';
    digits(local.wMonth, 2);
    text += L'/';
    digits(local.wDay, 2);
    text += L' ';
    digits(local.wHour, 2);
    text += L':';
    digits(local.wMinute, 2);
    return text;
}

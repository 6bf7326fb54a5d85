#include "LocalTimeText.h"
#include <windows.h>
#include <cwchar>

std::wstring LocalTimeText::Minutes(uint64_t fileTime)
{
    FILETIME ft = { static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32) };
    SYSTEMTIME utc, local;
    if (fileTime == 0 || !FileTimeToSystemTime(&ft, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return std::wstring();
    wchar_t text[32];
    swprintf(text, 32, L"%04u/%02u/%02u %02u:%02u", local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute);
    return text;
}

#include "HistorySeeder.h"
#include <windows.h>
#include <wininet.h>

namespace {
template <typename Each>
void ForEachRecord(Each each)
{
    std::vector<char> buffer(1 << 20);
    DWORD size = static_cast<DWORD>(buffer.size());
    auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
    HANDLE find = FindFirstUrlCacheEntryA("Visited:", info, &size);
    if (!find)
        return;
    do {
        each(std::string(info->lpszSourceUrlName));
        size = static_cast<DWORD>(buffer.size());
    } while (FindNextUrlCacheEntryA(find, info, &size));
    FindCloseUrlCache(find);
}
}

std::vector<std::string> HistorySeeder::Names()
{
    std::vector<std::string> names;
    ForEachRecord([&](const std::string& name) { names.push_back(name); });
    return names;
}

int HistorySeeder::Clear()
{
    std::vector<std::string> names = Names();
    for (const std::string& name : names)
        DeleteUrlCacheEntryA(name.c_str());
    return static_cast<int>(names.size());
}

bool HistorySeeder::Add(const std::string& name, int64_t unixSeconds)
{
    FILETIME zero = {};
    if (!CommitUrlCacheEntryA(name.c_str(), nullptr, zero, zero, NORMAL_CACHE_ENTRY | URLHISTORY_CACHE_ENTRY,
                              nullptr, 0, nullptr, nullptr))
        return false;
    uint64_t ft = (static_cast<uint64_t>(unixSeconds) + 11644473600ULL) * 10000000ULL;
    INTERNET_CACHE_ENTRY_INFOA info = {};
    info.dwStructSize = sizeof(info);
    info.LastAccessTime.dwLowDateTime = static_cast<DWORD>(ft);
    info.LastAccessTime.dwHighDateTime = static_cast<DWORD>(ft >> 32);
    return SetUrlCacheEntryInfoA(name.c_str(), &info, CACHE_ENTRY_ACCTIME_FC) != FALSE;
}

std::string HistorySeeder::CurrentUser()
{
    char name[256];
    DWORD size = sizeof(name);
    return GetUserNameA(name, &size) ? std::string(name) : std::string();
}

std::string HistorySeeder::VisitName(const std::string& url) { return "Visited: " + CurrentUser() + "@" + url; }

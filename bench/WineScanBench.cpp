// Under Wine: the whole history scan against a bare enumeration of the same real URL cache
// (5,000 seeded records), timed side by side in one run.
#include "../history/CHistoryReopener.h"
#include "../history/ScanFlags.h"
#include "../tests/win/HistorySeeder.h"
#include <windows.h>
#include <wininet.h>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
size_t BareLoop()
{
    std::vector<char> buffer(65536);
    auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
    DWORD size = 65535;
    size_t touched = 0, records = 0;
    HANDLE find = FindFirstUrlCacheEntryA("Visited:", info, &size);
    if (!find)
        return 0;
    do {
        touched += strlen(info->lpszSourceUrlName);
        ++records;
        size = 65535;
    } while (FindNextUrlCacheEntryA(find, info, &size));
    FindCloseUrlCache(find);
    return touched ? records : 0;
}

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER f)
{
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}
}

int main()
{
    const int kRecords = 5000, kRounds = 7;
    HistorySeeder::Clear();
    std::printf("seeding %d records...\n", kRecords);
    const char* users[] = { "bob", "carol" };
    for (int i = 0; i < kRecords; ++i) {
        int kind = i % 10;
        std::string url = (kind >= 3 && kind < 5 ? "https://" : "http://") + std::string("127.0.0.1/page") +
                          std::to_string(i);
        std::string name = kind < 3 ? "Visited: " + std::string(users[i % 2]) + "@" + url : HistorySeeder::VisitName(url);
        HistorySeeder::Add(name, 1765000000 + (i * 7919) % 100000);
    }
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    std::vector<double> bare, scan;
    size_t records = 0, kept = 0;
    for (int r = 0; r < kRounds; ++r) {
        QueryPerformanceCounter(&a);
        records = BareLoop();
        QueryPerformanceCounter(&b);
        bare.push_back(Seconds(a, b, f));
        QueryPerformanceCounter(&a);
        RecentSet recent(16);
        CHistoryReopener::ScanHistory(recent, SCAN_HTTP_ONLY | SCAN_SKIP_OPEN | SCAN_ONLY_MINE);
        QueryPerformanceCounter(&b);
        scan.push_back(Seconds(a, b, f));
        kept = recent.m_entries.size();
    }
    std::sort(bare.begin(), bare.end());
    std::sort(scan.begin(), scan.end());
    double mb = bare[kRounds / 2], ms = scan[kRounds / 2];
    std::printf("records %zu, kept %zu, median of %d rounds\n", records, kept, kRounds);
    std::printf("bare FindFirst/FindNext loop: %8.2f ms  %10.0f records/s\n", mb * 1000, static_cast<double>(records) / mb);
    std::printf("ScanHistory (all filters):    %8.2f ms  %10.0f records/s\n", ms * 1000, static_cast<double>(records) / ms);
    std::printf("ratio scan / bare loop: %.3f\n", ms / mb);
    HistorySeeder::Clear();
    return 0;
}

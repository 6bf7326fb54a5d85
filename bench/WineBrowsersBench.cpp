// Under Wine: reading today's browsers' histories as the reopen command does (a private copy
// of each file, then the newest seen visits), against the floor of copying the same files, for
// a Chromium history and a Firefox history of 100,000 addresses and 300,000 visits each, in
// alternating rounds. The modes build, read and idle show that the memory of a reading follows
// the count of pages kept, not the size of the history.
#include "../history/CHistoryCopy.h"
#include "../history/ChromiumHistory.h"
#include "../history/FirefoxHistory.h"
#include "../history/MergedSelection.h"
#include "../text/Utf8Text.h"
#include "SyntheticHistory.h"
#include <windows.h>
#include <psapi.h>
#include <sqlite3.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const int64_t kNowUs = 1765000000LL * 1000000;

std::wstring TempFolder()
{
    wchar_t buf[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, buf);
    return buf;
}

double Ms(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER f) { return 1000.0 * (b.QuadPart - a.QuadPart) / f.QuadPart; }

size_t Selection(const std::wstring& chromium, const std::wstring& firefox)
{
    MergedSelection merged(16);
    {
        CHistoryCopy copy(chromium, "-journal");
        LatestVisits latest(16, kNowUs, true);
        ChromiumHistory::Read(copy.Utf8Path(), latest);
        merged.AddVisits(PageSource::Chrome, "Default", latest.Visits());
    }
    {
        CHistoryCopy copy(firefox, "-wal");
        LatestVisits latest(16, kNowUs, true);
        FirefoxHistory::Read(copy.Utf8Path(), latest);
        merged.AddVisits(PageSource::Firefox, "", latest.Visits());
    }
    return merged.OldestFirst().size();
}

size_t BareCopy(const std::wstring& chromium, const std::wstring& firefox)
{
    CHistoryCopy a(chromium, "-journal");
    CHistoryCopy b(firefox, "-wal");
    return a.IsReady() + b.IsReady();
}

SIZE_T PeakWorkingSet()
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
    return pmc.PeakWorkingSetSize;
}

}

int main(int argc, char** argv)
{
    const std::wstring folder = TempFolder() + L"bt-bench-browsers";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring chromium = folder + L"\\History", firefox = folder + L"\\places.sqlite";
    // Memory: "build N" makes histories of N visits each; then "read" in a fresh process reads
    // them once, and "idle" does everything but the reading; each prints its peak working set.
    if (argc == 3 && !std::strcmp(argv[1], "build")) {
        int visits = std::atoi(argv[2]);
        SyntheticHistory::Build(Utf8Text::FromWide(chromium), true, visits / 3, visits, kNowUs);
        SyntheticHistory::Build(Utf8Text::FromWide(firefox), false, visits / 3, visits, kNowUs);
        return 0;
    }
    if (argc == 2 && (!std::strcmp(argv[1], "read") || !std::strcmp(argv[1], "idle"))) {
        size_t pages = !std::strcmp(argv[1], "read") ? Selection(chromium, firefox) : 0;
        std::printf("%s: peak working set %.2f MB (%zu pages)\n", argv[1], PeakWorkingSet() / 1048576.0, pages);
        return 0;
    }
    SyntheticHistory::Build(Utf8Text::FromWide(chromium), true, 100000, 300000, kNowUs);
    SyntheticHistory::Build(Utf8Text::FromWide(firefox), false, 100000, 300000, kNowUs);
    WIN32_FILE_ATTRIBUTE_DATA a = {}, b = {};
    GetFileAttributesExW(chromium.c_str(), GetFileExInfoStandard, &a);
    GetFileAttributesExW(firefox.c_str(), GetFileExInfoStandard, &b);
    std::printf("History %.1f MB, places.sqlite %.1f MB\n", a.nFileSizeLow / 1048576.0, b.nFileSizeLow / 1048576.0);
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    std::vector<double> copy, select;
    size_t sink = 0;
    for (int round = 0; round < 9; ++round) {
        LARGE_INTEGER t0, t1, t2;
        QueryPerformanceCounter(&t0);
        sink += BareCopy(chromium, firefox);
        QueryPerformanceCounter(&t1);
        sink += Selection(chromium, firefox);
        QueryPerformanceCounter(&t2);
        if (round >= 2) {  // the first rounds warm the file cache
            copy.push_back(Ms(t0, t1, f));
            select.push_back(Ms(t1, t2, f));
        }
    }
    std::sort(copy.begin(), copy.end());
    std::sort(select.begin(), select.end());
    double c = copy[copy.size() / 2], s = select[select.size() / 2];
    std::printf("bare copy of both files: median %.1f ms (%.1f .. %.1f)\n", c, copy.front(), copy.back());
    std::printf("whole selection over both: median %.1f ms (%.1f .. %.1f)\n", s, select.front(), select.back());
    std::printf("ratio selection / copy: %.2f (%zu)\n", s / c, sink);
    DeleteFileW(chromium.c_str());
    DeleteFileW(firefox.c_str());
    RemoveDirectoryW(folder.c_str());
    return 0;
}

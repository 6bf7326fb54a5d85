// Under Wine: reading today's browsers' histories as the reopen command does (each file in
// place, a private copy only when the browser writes meanwhile), for a Chromium history and a
// Firefox history whose newest visits are only in the write-ahead log of a connection kept
// open, as a running Firefox keeps it.
//  - default: 100,000 addresses and 300,000 visits each against tiny histories (100 and 300),
//    in alternating rounds with the floor of copying the large files: the extra time that the
//    large histories cost, against that copy; and the bytes one press reads.
//  - "million": 1,000,000 addresses and 3,000,000 visits each against the 100,000 ones.
//  - "build N", then "idle", "read-list" and "read" in fresh processes: the memory of a reading (of
//    the selection, or of the list of recent pages) follows the count of pages kept, not the
//    size of the history.
//  - "search": the list's search of two 1,000,000-address histories (2,000,000 visits each)
//    for a word that 100 pages hold, against the same-shaped LIKE query through SQLite's own C
//    API on the same files, in alternating rounds (goal at most 1.5).
//  - "icons": the reading part of the list of 100 rows from the two 100,000-address histories,
//    then each row's site icon read from the profiles' icon databases (an icon for every page,
//    5,000 sites, 16 and 32 pixels) and decoded by the system's codecs: what the icons cost
//    against the reading alone (the list as the user waits for it, end to end:
//    wine_list_icons_bench).
//  - "list": the list of recent pages (100, rows made as the list dialog shows them) from the
//    two 100,000-address histories, against the selection of "再び表示" with N = 100 over the
//    same files, in alternating rounds.
#include "../history/CHistoryCopy.h"
#include "../history/ChromiumHistory.h"
#include "../history/FirefoxHistory.h"
#include "../history/HistoryVfs.h"
#include "../history/SiteIcons.h"
#include "../framework/CImageDecoder.h"
#include "../reopen/MergedSelection.h"
#include "../reopen/PageListing.h"
#include "../reopen/SiteIconRequests.h"
#include "../text/TitleText.h"
#include "../text/Utf8Text.h"
#include "SyntheticHistory.h"
#include <windows.h>
#include <objbase.h>
#include <psapi.h>
#include <sqlite3.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
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

double FileMb(const std::wstring& file)
{
    WIN32_FILE_ATTRIBUTE_DATA a = {};
    GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &a);
    return ((static_cast<uint64_t>(a.nFileSizeHigh) << 32) | a.nFileSizeLow) / 1048576.0;
}

// A Chromium and a Firefox history in a folder of their own.
struct Histories {
    std::wstring folder, chromium, firefox;
    sqlite3* firefoxRunning = nullptr;  // keeps the newest visits in the log
    bool keep = false;                  // the files stay for a later process

    explicit Histories(const std::wstring& name)
        : folder(TempFolder() + name), chromium(folder + L"\\History"), firefox(folder + L"\\places.sqlite")
    {
        CreateDirectoryW(folder.c_str(), nullptr);
    }
    ~Histories()
    {
        sqlite3_close(firefoxRunning);
        if (keep)
            return;
        for (const std::wstring& f : { chromium, firefox, firefox + L"-wal", firefox + L"-shm" })
            DeleteFileW(f.c_str());
        RemoveDirectoryW(folder.c_str());
    }
    void Build(int places, int visits)
    {
        SyntheticHistory::Build(Utf8Text::FromWide(chromium), true, places, visits, kNowUs);
        SyntheticHistory::Build(Utf8Text::FromWide(firefox), false, places, visits, kNowUs);
    }
    // Firefox in WAL mode with its newest visits (the last minute) only in the log.
    void LeaveLog(int visits)
    {
        sqlite3_open(Utf8Text::FromWide(firefox).c_str(), &firefoxRunning);
        sqlite3_exec(firefoxRunning, "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0; BEGIN", nullptr, nullptr, nullptr);
        for (int i = 0; i < visits; ++i) {
            const std::string sql = "INSERT INTO moz_historyvisits(place_id, visit_date, visit_type) VALUES (" +
                                    std::to_string(1 + i % 50) + ", " + std::to_string(kNowUs - 60000000LL + i) + ", 1)";
            sqlite3_exec(firefoxRunning, sql.c_str(), nullptr, nullptr, nullptr);
        }
        sqlite3_exec(firefoxRunning, "COMMIT", nullptr, nullptr, nullptr);
    }
    // Built, with the newest 2,000 visits in the log of a running Firefox.
    void BuildWithLog(int places, int visits)
    {
        Build(places, visits);
        LeaveLog(2000);
    }
    std::string Sizes() const
    {
        char text[160];
        std::snprintf(text, sizeof text, "History %.1f MB, places.sqlite %.1f MB with a log of %.2f MB",
                      FileMb(chromium), FileMb(firefox), FileMb(firefox + L"-wal"));
        return text;
    }
};

// One of the two histories read into `latest` as the command reads it: in place, copying only
// as a fallback.
void Read(const Histories& h, bool firefox, LatestVisits& latest)
{
    if (firefox)
        FirefoxHistory::Read(Utf8Text::FromWide(h.firefox), latest, CHistoryCopy::Make);
    else
        ChromiumHistory::Read(Utf8Text::FromWide(h.chromium), latest, CHistoryCopy::Make);
}

size_t ReadOne(const Histories& h, bool firefox)
{
    LatestVisits latest(16, kNowUs, true);
    Read(h, firefox, latest);
    return latest.Visits().size();
}

// The command's reading of both, merged.
size_t Selection(const Histories& h)
{
    MergedSelection merged(16);
    for (bool firefox : { false, true }) {
        LatestVisits latest(16, kNowUs, true);
        Read(h, firefox, latest);
        merged.AddVisits(Browsers::Find(firefox ? "Firefox" : "Chrome"), firefox ? "" : "Default", latest.Visits());
    }
    return merged.OldestFirst().size();
}

// The selection of "再び表示" with N pages, as the command makes it.
size_t SelectionOf(const Histories& h, size_t n)
{
    MergedSelection merged(n);
    for (bool firefox : { false, true }) {
        LatestVisits latest(n, kNowUs, true);
        latest.Skip({});
        Read(h, firefox, latest);
        merged.AddVisits(Browsers::Find(firefox ? "Firefox" : "Chrome"), firefox ? "" : "Default", latest.Visits());
    }
    return merged.OldestFirst().size();
}

// The list of recent pages with `rows` rows (three of them checked), each row's texts made
// as the list dialog shows them (the rows to `listed`).
size_t ListOf(const Histories& h, size_t rows, std::vector<ListedPage>* listed = nullptr)
{
    PageListing listing(3, rows);
    for (bool firefox : { false, true }) {
        LatestVisits latest(rows, kNowUs, true);
        latest.Mark({});
        Read(h, firefox, latest);
        listing.AddVisits(Browsers::Find(firefox ? "Firefox" : "Chrome"), firefox ? "" : "Default", latest.Visits(),
                          L"program", L"profile");
    }
    size_t shown = 0;
    const std::vector<ListedPage> made = listing.Rows();
    for (const ListedPage& row : made) {
        std::wstring title = TitleText::Clean(Utf8Text::ToWide(row.page.title));
        std::wstring address = TitleText::Address(Utf8Text::ToWide(row.page.url));
        shown += !title.empty() && !address.empty();
    }
    if (listed)
        *listed = made;
    return shown;
}

size_t BareCopy(const Histories& h)
{
    CHistoryCopy a(h.chromium, "-journal");
    CHistoryCopy b(h.firefox, "-wal");
    return a.IsReady() + b.IsReady();
}

SIZE_T PeakWorkingSet()
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
    return pmc.PeakWorkingSetSize;
}

struct Timing {
    std::vector<double> ms;
    double Median() { std::sort(ms.begin(), ms.end()); return ms[ms.size() / 2]; }
    void Print(const char* what)
    {
        double m = Median();
        std::printf("%-52s median %8.2f ms (%.2f .. %.2f)\n", what, m, ms.front(), ms.back());
    }
};

// Times each step in alternating rounds, after two rounds that warm the file cache.
void Rounds(int measured, std::vector<Timing>& timings, const std::vector<std::function<size_t()>>& steps)
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    size_t sink = 0;
    for (int round = 0; round < measured + 2; ++round) {
        size_t i = 0;
        for (const auto& step : steps) {
            LARGE_INTEGER t0, t1;
            QueryPerformanceCounter(&t0);
            sink += step();
            QueryPerformanceCounter(&t1);
            if (round >= 2)
                timings[i].ms.push_back(Ms(t0, t1, f));
            ++i;
        }
    }
    if (sink == 0)
        std::printf("nothing was read\n");
}

}

// Icon databases beside both histories, as the browsers keep them.
void BuildIcons(const Histories& h)
{
    for (bool firefox : { false, true }) {
        const std::string history = Utf8Text::FromWide(firefox ? h.firefox : h.chromium);
        SyntheticHistory::BuildIcons(history, firefox,
                                     history.substr(0, history.find_last_of('\\') + 1) + (firefox ? "favicons.sqlite" : "Favicons"));
    }
}

// Each row's site icon as the list asks for it (a site once, a few of its pages), read from
// its profile and decoded at the small icons' side; how many were decoded.
size_t IconsOf(const Histories& h, const std::vector<ListedPage>& rows, bool decode = true)
{
    SiteIconRequests asks;
    for (const ListedPage& row : rows) {
        const bool firefox = row.page.browser->family == BrowserFamily::Firefox;
        const std::wstring history = firefox ? h.firefox : h.chromium;
        asks.Add(row.page.url, history.substr(0, history.find_last_of(L'\\') + 1) + (firefox ? L"favicons.sqlite" : L"Favicons"));
    }
    CImageDecoder decoder;
    size_t decoded = 0;
    const std::atomic<bool> never{ false };
    asks.Read(never, [&](const std::string&, const std::string& icon) {
        if (HBITMAP bitmap = decode ? decoder.Decode(icon.data(), icon.size(), 16) : nullptr) {
            ++decoded;
            DeleteObject(bitmap);
        }
    });
    return decoded;
}

// Both histories searched as the list searches them (in place, a copy only as the fallback).
size_t SearchBoth(const Histories& h, const char* word)
{
    HistoryQuery query;
    query.words = SearchWords(word);
    LatestVisits chromium(100, kNowUs, true), firefox(100, kNowUs, true);
    ChromiumHistory::Search(Utf8Text::FromWide(h.chromium), query, chromium, CHistoryCopy::Make);
    FirefoxHistory::Search(Utf8Text::FromWide(h.firefox), query, firefox, CHistoryCopy::Make);
    return chromium.Visits().size() + firefox.Visits().size();
}

size_t LikeBoth(const Histories& h, const char* word)
{
    return static_cast<size_t>(SyntheticHistory::Like(Utf8Text::FromWide(h.chromium), true, word, 100) +
                               SyntheticHistory::Like(Utf8Text::FromWide(h.firefox), false, word, 100));
}

int main(int argc, char** argv)
{
    if (argc == 2 && !std::strcmp(argv[1], "icons")) {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        Histories large(L"bt-bench-icons");
        large.Build(100000, 300000);
        BuildIcons(large);
        std::vector<ListedPage> rows;
        ListOf(large, 100, &rows);
        std::printf("100,000 addresses: %s; icons decoded for %zu of %zu rows\n", large.Sizes().c_str(),
                    IconsOf(large, rows), rows.size());
        std::vector<Timing> t(3);
        Rounds(15, t, { [&] { return ListOf(large, 100); },
                        [&] {
                            std::vector<ListedPage> listed;
                            return ListOf(large, 100, &listed) + IconsOf(large, listed);
                        },
                        [&] {
                            std::vector<ListedPage> listed;
                            return ListOf(large, 100, &listed) + IconsOf(large, listed, false);
                        } });
        t[0].Print("list of 100 rows");
        t[1].Print("list of 100 rows with their sites' icons");
        t[2].Print("  of which the icons read, not decoded");
        std::printf("ratio with icons / the reading alone: %.2f (the goal is end to end: wine_list_icons_bench)\n",
                    t[1].Median() / t[0].Median());
        for (const wchar_t* f : { L"\\Favicons", L"\\favicons.sqlite" })
            DeleteFileW((large.folder + f).c_str());
        CoUninitialize();
        return 0;
    }
    if (argc == 2 && !std::strcmp(argv[1], "search")) {
        Histories h(L"bt-bench-search");
        const char word[] = "zanzibar";
        SyntheticHistory::BuildSearchable(Utf8Text::FromWide(h.chromium), true, 1000000, 2000000, kNowUs, word, 100);
        SyntheticHistory::BuildSearchable(Utf8Text::FromWide(h.firefox), false, 1000000, 2000000, kNowUs, word, 100);
        std::printf("1,000,000 addresses each: %s; found %zu pages (LIKE: %zu rows)\n", h.Sizes().c_str(),
                    SearchBoth(h, word), LikeBoth(h, word));
        std::vector<Timing> t(2);
        Rounds(9, t, { [&] { return SearchBoth(h, word); }, [&] { return LikeBoth(h, word); } });
        t[0].Print("search of both histories");
        t[1].Print("LIKE over both histories");
        std::printf("ratio search / LIKE: %.2f (goal at most 1.5)\n", t[0].Median() / t[1].Median());
        return 0;
    }
    // Memory: "build N" makes histories of N visits each; then "read" in a fresh process reads
    // them once, and "idle" does everything but the reading; each prints its peak working set.
    if (argc == 3 && !std::strcmp(argv[1], "build")) {
        Histories h(L"bt-bench-browsers");
        int visits = std::atoi(argv[2]);
        h.Build(visits / 3, visits);
        h.keep = true;
        return 0;
    }
    if (argc == 2 && (!std::strcmp(argv[1], "read") || !std::strcmp(argv[1], "read-list") || !std::strcmp(argv[1], "idle"))) {
        Histories h(L"bt-bench-browsers");
        h.keep = std::strcmp(argv[1], "read") != 0;  // "read" comes last and removes them
        size_t pages = !std::strcmp(argv[1], "read") ? Selection(h) : !std::strcmp(argv[1], "read-list") ? ListOf(h, 100) : 0;
        std::printf("%s: peak working set %.2f MB (%zu pages)\n", argv[1], PeakWorkingSet() / 1048576.0, pages);
        return 0;
    }
    if (argc == 2 && !std::strcmp(argv[1], "list")) {
        Histories large(L"bt-bench-large");
        large.BuildWithLog(100000, 300000);
        std::printf("100,000 addresses: %s\n", large.Sizes().c_str());
        std::vector<Timing> t(2);
        Rounds(21, t, { [&] { return SelectionOf(large, 100); }, [&] { return ListOf(large, 100); } });
        t[0].Print("selection of 100 pages (再び表示, N = 100)");
        t[1].Print("list of 100 pages, rows made");
        std::printf("ratio list / selection: %.2f (goal at most 1.2)\n", t[1].Median() / t[0].Median());
        return 0;
    }
    if (argc == 2 && !std::strcmp(argv[1], "million")) {
        Histories large(L"bt-bench-large"), huge(L"bt-bench-huge");
        large.BuildWithLog(100000, 300000);
        huge.BuildWithLog(1000000, 3000000);
        std::printf("100,000 addresses: %s\n1,000,000 addresses: %s\n", large.Sizes().c_str(), huge.Sizes().c_str());
        std::vector<Timing> t(2);
        Rounds(15, t, { [&] { return Selection(large); }, [&] { return Selection(huge); } });
        t[0].Print("selection over the 100,000-address histories");
        t[1].Print("selection over the 1,000,000-address histories");
        std::printf("ratio 1,000,000 / 100,000: %.2f (goal at most 1.2)\n", t[1].Median() / t[0].Median());
        return 0;
    }

    Histories large(L"bt-bench-large"), tiny(L"bt-bench-tiny");
    large.BuildWithLog(100000, 300000);
    tiny.BuildWithLog(100, 300);
    std::printf("large: %s\ntiny: %s\n", large.Sizes().c_str(), tiny.Sizes().c_str());
    std::vector<Timing> t(3);
    Rounds(15, t, { [&] { return BareCopy(large); }, [&] { return Selection(large); }, [&] { return Selection(tiny); } });
    t[0].Print("bare copy of both large files (the old floor)");
    t[1].Print("selection over the large histories");
    t[2].Print("selection over the tiny histories");
    const double extra = t[1].Median() - t[2].Median();
    std::printf("extra time of the large histories: %.2f ms = %.3f x the bare copy (goal at most 0.1)\n", extra,
                extra / t[0].Median());
    std::vector<Timing> parts(4);
    Rounds(15, parts, { [&] { return ReadOne(large, false); }, [&] { return ReadOne(tiny, false); },
                        [&] { return ReadOne(large, true); }, [&] { return ReadOne(tiny, true); } });
    parts[0].Print("  of which Chromium, large");
    parts[1].Print("  of which Chromium, tiny");
    parts[2].Print("  of which Firefox, large");
    parts[3].Print("  of which Firefox, tiny");
    const uint64_t bytes = HistoryVfs::BytesReadInPlace(), wal = HistoryVfs::WalBytesReadInPlace();
    Selection(large);
    std::printf("one press over the large histories reads %.2f MB of the databases (goal at most 2 MB) and "
                "%.2f MB of the logs, which SQLite reads whole\n",
                (HistoryVfs::BytesReadInPlace() - bytes) / 1048576.0, (HistoryVfs::WalBytesReadInPlace() - wal) / 1048576.0);
    return 0;
}

// Under Wine: the last windows of 20 profiles (10 Chromium, 10 Firefox, each of 10 windows of
// 100 tabs) read as the windows view reads them (CLastSession: the lock file, the folders, the
// session file, the settings), against a floor that only reads the same files and
// decompresses them, in alternating rounds; then a Firefox profile whose 23 kB recovery file
// holds JSON nested three million levels deep, and a channel whose Local State does: the time
// and the memory their refusal costs.
#include "../history/Browsers.h"
#include "../history/CBrowserProfiles.h"
#include "../history/CLastSession.h"
#include "../history/SessionWindows.h"
#include "../framework/FileSystem.h"
#include "SyntheticSessions.h"
#include "../tests/win/WinDriver.h"
#include <windows.h>
#include <psapi.h>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {
void Write(const std::wstring& path, const std::string& bytes)
{
    WinDriver::MakeFolders(path.substr(0, path.find_last_of(L'\\')));
    std::ofstream(path.c_str(), std::ios::binary) << bytes;
}

size_t PeakWorkingSet()
{
    PROCESS_MEMORY_COUNTERS c = {};
    c.cb = sizeof(c);
    GetProcessMemoryInfo(GetCurrentProcess(), &c, sizeof(c));
    return c.PeakWorkingSetSize;
}

double Now()
{
    LARGE_INTEGER t, f;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&f);
    return 1000.0 * t.QuadPart / f.QuadPart;
}

BrowserProfile Profile(const char* browser, const std::wstring& userData, const std::wstring& profile)
{
    BrowserProfile p;
    p.browser = Browsers::Find(browser);
    p.userData = userData;
    p.profile = profile;
    return p;
}

// The floor: the session file read and, Firefox's, decompressed.
size_t Floor(const std::vector<std::pair<BrowserProfile, std::wstring>>& profiles)
{
    size_t bytes = 0;
    for (const auto& [p, file] : profiles) {
        const std::string data = FileSystem::ReadShared(file, SessionWindows::kLargestFile);
        if (p.browser->family != BrowserFamily::Firefox) {
            bytes += data.size();
            continue;
        }
        const uint32_t declared = static_cast<uint8_t>(data[8]) | static_cast<uint8_t>(data[9]) << 8 |
                                  static_cast<uint8_t>(data[10]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(data[11])) << 24;
        std::string json(declared, '\0');
        bytes += static_cast<size_t>(LZ4_decompress_safe(data.data() + 12, &json[0], static_cast<int>(data.size() - 12),
                                                         static_cast<int>(declared)));
    }
    return bytes;
}

size_t View(const std::vector<std::pair<BrowserProfile, std::wstring>>& profiles)
{
    size_t tabs = 0;
    std::vector<LastSession> all;
    for (const auto& entry : profiles) {
        all.push_back(CLastSession::Read(entry.first));
        tabs += SessionWindows::TabCount(all.back().windows);
    }
    return tabs;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
}

int main()
{
    const std::wstring root = WinDriver::TempFolder() + L"bt-bench-sessions";
    WinDriver::RemoveTree(root);

    // The hostile files first, while the process is small: their cost shows in its peak.
    const std::string nested = SyntheticSessions::NestedJson(3000000);
    const std::string hostile = MozLz4(nested);
    Write(root + L"\\hostile\\sessionstore-backups\\recovery.jsonlz4", hostile);
    const std::wstring userData = root + L"\\hostile-local\\Google\\Chrome\\User Data";
    Write(userData + L"\\Local State", nested);
    Write(userData + L"\\Default\\History", "");
    const size_t before = PeakWorkingSet();
    double t0 = Now();
    const LastSession refused = CLastSession::Read(Profile("Firefox", root, root + L"\\hostile"));
    const double refusedMs = Now() - t0;
    const size_t afterSession = PeakWorkingSet();
    t0 = Now();
    const std::vector<BrowserProfile> found = CBrowserProfiles::Find(root + L"\\hostile-local", root + L"\\hostile-roaming");
    const double stateMs = Now() - t0;
    std::printf("Firefox recovery file of %.1f kB nested 3,000,000 levels: %s in %.2f ms, peak working set +%.2f MB\n",
                hostile.size() / 1024.0, refused.kind == LastSession::Kind::kUnreadable ? "refused" : "NOT REFUSED",
                refusedMs, (afterSession - before) / 1048576.0);
    std::printf("Local State of %.2f MB nested 3,000,000 levels: %zu profile(s) found, named \"%ls\", in %.2f ms, "
                "peak working set +%.2f MB\n",
                nested.size() / 1048576.0, found.size(), found.empty() ? L"" : found[0].displayName.c_str(), stateMs,
                (PeakWorkingSet() - afterSession) / 1048576.0);

    const std::string chromium = SyntheticSessions::Chromium(10, 100);
    const std::string firefox = SyntheticSessions::Firefox(10, 100);
    std::vector<std::pair<BrowserProfile, std::wstring>> chromiumProfiles, firefoxProfiles, all;
    for (int i = 0; i < 10; ++i) {
        const std::wstring userData = root + L"\\chromium-" + std::to_wstring(i);
        const std::wstring file = userData + L"\\Default\\Sessions\\Session_13400000000000000";
        Write(file, chromium);
        chromiumProfiles.push_back({ Profile("Chrome", userData, L"Default"), file });
        const std::wstring folder = root + L"\\firefox-" + std::to_wstring(i);
        Write(folder + L"\\sessionstore.jsonlz4", firefox);
        firefoxProfiles.push_back({ Profile("Firefox", root, folder), folder + L"\\sessionstore.jsonlz4" });
    }
    all = chromiumProfiles;
    all.insert(all.end(), firefoxProfiles.begin(), firefoxProfiles.end());
    std::printf("20 profiles of 10 windows of 100 tabs: Chromium %.2f MB, Firefox %.2f MB each\n", chromium.size() / 1048576.0,
                firefox.size() / 1048576.0);
    const struct { const char* what; const std::vector<std::pair<BrowserProfile, std::wstring>>* profiles; } sets[] = {
        { "Chromium's 10", &chromiumProfiles }, { "Firefox's 10", &firefoxProfiles }, { "all 20", &all } };
    for (const auto& set : sets) {
        std::vector<double> floor, view;
        size_t tabs = 0;
        for (int round = 0; round < 17; ++round) {
            double a = Now();
            Floor(*set.profiles);
            double b = Now();
            tabs = View(*set.profiles);
            double c = Now();
            if (round >= 2) {
                floor.push_back(b - a);
                view.push_back(c - b);
            }
        }
        std::printf("%s: windows view %.1f ms (%zu tabs), floor %.1f ms (medians of 15 alternating rounds): %.2f x%s\n",
                    set.what, Median(view), tabs, Median(floor), Median(view) / Median(floor),
                    set.profiles == &all ? " (goal: at most 1.5)" : "");
    }
    WinDriver::RemoveTree(root);
    return 0;
}

// The last windows natively: the session files of 20 profiles (10 Chromium, 10 Firefox), each
// of 10 windows of 100 tabs, read into windows as the windows view reads them, against a floor
// that only reads the same files and decompresses them. Printed after Google Benchmark's own
// table: the ratio of the medians of alternating rounds (goal: at most 1.5), the heap at its
// peak while the view reads all 20 against their decompressed JSON (goal: at most 4 times),
// and what a hostile file costs: JSON nested three million levels deep in a session file and
// in a Local State.
#include "SyntheticSessions.h"
#include "history/ChromiumLocalState.h"
#include "history/ChromiumSession.h"
#include "history/FirefoxSession.h"
#include "history/SessionWindows.h"
#include <benchmark/benchmark.h>
#include <lz4.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <string>
#include <vector>

// The heap in use and its peak, counted by every allocation of the process.
namespace {
std::atomic<size_t> g_live{ 0 }, g_peak{ 0 };
}
void* operator new(size_t n)
{
    size_t* p = static_cast<size_t*>(std::malloc(n + sizeof(size_t) * 2));
    if (!p)
        throw std::bad_alloc();
    p[0] = n;
    const size_t live = g_live += n;
    size_t peak = g_peak.load();
    while (live > peak && !g_peak.compare_exchange_weak(peak, live)) {
    }
    return p + 2;
}
void operator delete(void* q) noexcept
{
    if (!q)
        return;
    size_t* p = static_cast<size_t*>(q) - 2;
    g_live -= p[0];
    std::free(p);
}
void operator delete(void* q, size_t) noexcept { operator delete(q); }

namespace {
const std::string kFolder = "/tmp/bt-bench-sessions";
struct File {
    std::string path;
    bool firefox;
};
std::vector<File> g_files;
size_t g_json = 0;  // the decompressed JSON of all Firefox files

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Which files the rounds take: 0 all, 1 Chromium's, 2 Firefox's.
int g_only = 0;
bool Taken(const File& f) { return g_only == 0 || (g_only == 2) == f.firefox; }

// The floor: each file read, Firefox's decompressed.
size_t Floor()
{
    size_t bytes = 0;
    for (const File& f : g_files) {
        if (!Taken(f))
            continue;
        const std::string file = ReadAll(f.path);
        if (f.firefox) {
            const uint32_t declared = static_cast<uint8_t>(file[8]) | static_cast<uint8_t>(file[9]) << 8 |
                                      static_cast<uint8_t>(file[10]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(file[11])) << 24;
            std::string json(declared, '\0');
            bytes += static_cast<size_t>(LZ4_decompress_safe(file.data() + 12, &json[0], static_cast<int>(file.size() - 12),
                                                             static_cast<int>(declared)));
        } else {
            bytes += file.size();
        }
    }
    return bytes;
}

// The view: each file read into its windows, kept.
std::vector<std::vector<SessionWindow>> View()
{
    std::vector<std::vector<SessionWindow>> all;
    for (const File& f : g_files) {
        if (!Taken(f))
            continue;
        std::vector<SessionWindow> windows;
        const std::string file = ReadAll(f.path);
        if (f.firefox)
            FirefoxSession::Windows(file, &windows);
        else
            ChromiumSession::Windows(file, &windows);
        SessionWindows::Keep(&windows);
        all.push_back(std::move(windows));
    }
    return all;
}

void BM_Floor(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Floor());
}
BENCHMARK(BM_Floor)->Unit(benchmark::kMillisecond);

void BM_WindowsView(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(View());
}
BENCHMARK(BM_WindowsView)->Unit(benchmark::kMillisecond);

template <typename F>
double Ms(F f)
{
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The peak heap above what was in use before, while `f` runs.
template <typename F>
size_t PeakOf(F f)
{
    const size_t before = g_live.load();
    g_peak = before;
    f();
    return g_peak.load() - before;
}
}

int main(int argc, char** argv)
{
    std::filesystem::create_directories(kFolder);
    const std::string chromium = SyntheticSessions::Chromium(10, 100);
    const std::string firefoxJson = SyntheticSessions::FirefoxJson(10, 100);
    const std::string firefox = MozLz4(firefoxJson);
    for (int i = 0; i < 10; ++i) {
        g_files.push_back({ kFolder + "/Session_" + std::to_string(i), false });
        std::ofstream(g_files.back().path, std::ios::binary) << chromium;
        g_files.push_back({ kFolder + "/sessionstore-" + std::to_string(i) + ".jsonlz4", true });
        std::ofstream(g_files.back().path, std::ios::binary) << firefox;
        g_json += firefoxJson.size();
    }
    std::printf("20 profiles of 10 windows of 100 tabs: Chromium %.2f MB each, Firefox %.2f MB (%.2f MB of JSON) each\n",
                chromium.size() / 1048576.0, firefox.size() / 1048576.0, firefoxJson.size() / 1048576.0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();

    for (g_only = 1; g_only <= 3; ++g_only) {
        if (g_only == 3)
            g_only = 0;
        std::vector<double> floor, view;
        for (int round = 0; round < 15; ++round) {
            floor.push_back(Ms([] { benchmark::DoNotOptimize(Floor()); }));
            view.push_back(Ms([] { benchmark::DoNotOptimize(View()); }));
        }
        std::sort(floor.begin(), floor.end());
        std::sort(view.begin(), view.end());
        std::printf("%s: windows view %.1f ms, floor %.1f ms (medians of 15 alternating rounds): %.2f x%s\n",
                    g_only == 1 ? "Chromium's 10" : g_only == 2 ? "Firefox's 10" : "all 20", view[7], floor[7],
                    view[7] / floor[7], g_only == 0 ? " (goal: at most 1.5)" : "");
        if (g_only == 0)
            break;
    }
    size_t tabs = 0;
    const size_t peak = PeakOf([&] {
        for (const auto& windows : View())
            tabs += SessionWindows::TabCount(windows);
    });
    std::printf("windows view: %zu tabs, heap at its peak %.2f MB = %.2f x the %.2f MB of decompressed JSON (goal: at most 4)\n",
                tabs, peak / 1048576.0, static_cast<double>(peak) / g_json, g_json / 1048576.0);

    // Hostile files: refused as the parser meets the bound, in time and memory of their size.
    const std::string nested = SyntheticSessions::NestedJson(3000000);
    const std::string hostile = MozLz4(nested);
    std::vector<SessionWindow> windows;
    bool read = true;
    size_t hostilePeak = 0;
    const double hostileMs = Ms([&] { hostilePeak = PeakOf([&] { read = FirefoxSession::Windows(hostile, &windows); }); });
    std::printf("session file of %.1f kB nested 3,000,000 levels: %s in %.2f ms, heap at its peak %.2f MB (the JSON: %.2f MB)\n",
                hostile.size() / 1024.0, read ? "READ" : "refused", hostileMs, hostilePeak / 1048576.0,
                nested.size() / 1048576.0);
    size_t names = 1;
    const double stateMs = Ms([&] { hostilePeak = PeakOf([&] { names = ChromiumLocalState::ProfileNames(nested).size(); }); });
    std::printf("Local State nested 3,000,000 levels: %zu names in %.2f ms, heap at its peak %.2f MB\n", names, stateMs,
                hostilePeak / 1048576.0);
    std::filesystem::remove_all(kFolder);
    return 0;
}

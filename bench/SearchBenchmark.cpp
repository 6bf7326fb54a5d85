// The list's search natively: two histories of 1,000,000 addresses (a Chromium and a Firefox
// one, 2,000,000 visits each) searched for a word that 100 pages hold, against the same-shaped
// LIKE query through SQLite's own C API on the same files (every address and title looked at,
// the latest 100 by the last visit). Both read files in the page cache. The ratio of the
// medians of alternating rounds is printed last; the goal is at most 1.5.
#include "SyntheticHistory.h"
#include "history/ChromiumHistory.h"
#include "history/FirefoxHistory.h"
#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {
const int64_t kNowUs = 1765000000LL * 1000000;
const std::string kChromium = "/tmp/bt-search-History";
const std::string kFirefox = "/tmp/bt-search-places.sqlite";
const char kWord[] = "zanzibar";
constexpr int kPlaces = 1000000, kVisits = 2000000, kMatching = 100;

size_t Search()
{
    HistoryQuery query;
    query.words = SearchWords(kWord);
    LatestVisits chromium(kMatching, kNowUs, true), firefox(kMatching, kNowUs, true);
    ChromiumHistory::Search(kChromium, query, chromium);
    FirefoxHistory::Search(kFirefox, query, firefox);
    return chromium.Visits().size() + firefox.Visits().size();
}

int Like()
{
    return SyntheticHistory::Like(kChromium, true, kWord, kMatching) + SyntheticHistory::Like(kFirefox, false, kWord, kMatching);
}

void BM_Search(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Search());
}
BENCHMARK(BM_Search)->Unit(benchmark::kMillisecond);

void BM_Like(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Like());
}
BENCHMARK(BM_Like)->Unit(benchmark::kMillisecond);

double Ms(const std::chrono::steady_clock::time_point& from)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - from).count();
}
}

int main(int argc, char** argv)
{
    SyntheticHistory::BuildSearchable(kChromium, true, kPlaces, kVisits, kNowUs, kWord, kMatching);
    SyntheticHistory::BuildSearchable(kFirefox, false, kPlaces, kVisits, kNowUs, kWord, kMatching);
    std::printf("found: %zu pages (LIKE: %d)\n", Search(), Like());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::vector<double> search, like;
    for (int round = 0; round < 7; ++round) {
        auto t = std::chrono::steady_clock::now();
        Search();
        search.push_back(Ms(t));
        t = std::chrono::steady_clock::now();
        Like();
        like.push_back(Ms(t));
    }
    std::sort(search.begin(), search.end());
    std::sort(like.begin(), like.end());
    std::printf("search %.1f ms, LIKE %.1f ms (medians of 7 alternating rounds): %.2fx (goal <= 1.5)\n", search[3],
                like[3], search[3] / like[3]);
    std::remove(kChromium.c_str());
    std::remove(kFirefox.c_str());
    return 0;
}

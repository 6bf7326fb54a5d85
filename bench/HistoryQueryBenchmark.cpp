// The histories' query part alone, natively: the newest 16 seen visits of a Chromium and a
// Firefox history of 100,000 addresses and 300,000 visits, read from files in the page cache.
// The plan that SQLite chose is printed first: the visit-time index, walked from the newest
// end, no sort of the table, so the work does not grow with the history.
#include "SyntheticHistory.h"
#include "history/ChromiumHistory.h"
#include "history/FirefoxHistory.h"
#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>

namespace {
const int64_t kNowUs = 1765000000LL * 1000000;
const std::string kChromium = "/tmp/bt-bench-History";
const std::string kFirefox = "/tmp/bt-bench-places.sqlite";

void PrintPlan(const std::string& file, const char* query)
{
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, (std::string("EXPLAIN QUERY PLAN ") + query).c_str(), -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        std::printf("  plan: %s\n", reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3)));
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

void BM_Chromium(benchmark::State& state)
{
    for (auto _ : state) {
        LatestVisits latest(16, kNowUs, true);
        benchmark::DoNotOptimize(ChromiumHistory::Read(kChromium, latest));
    }
}
BENCHMARK(BM_Chromium)->Unit(benchmark::kMillisecond);

void BM_Firefox(benchmark::State& state)
{
    for (auto _ : state) {
        LatestVisits latest(16, kNowUs, true);
        benchmark::DoNotOptimize(FirefoxHistory::Read(kFirefox, latest));
    }
}
BENCHMARK(BM_Firefox)->Unit(benchmark::kMillisecond);
}

int main(int argc, char** argv)
{
    SyntheticHistory::Build(kChromium, true, 100000, 300000, kNowUs);
    SyntheticHistory::Build(kFirefox, false, 100000, 300000, kNowUs);
    std::printf("Chromium:\n");
    PrintPlan(kChromium, ChromiumHistory::VisitsQuery());
    std::printf("Firefox:\n");
    PrintPlan(kFirefox, FirefoxHistory::VisitsQuery());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::remove(kChromium.c_str());
    std::remove(kFirefox.c_str());
    return 0;
}

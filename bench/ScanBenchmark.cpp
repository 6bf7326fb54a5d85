// The scan's filtering and selection over a million synthetic records from a store in
// memory, against a bare loop that walks the same records through the same interface and
// touches each name. BM_Scan's argument is the scan flags: 7 all filters, 0 none.
#include "history/CHistoryReopener.h"
#include "history/ScanFlags.h"
#include <benchmark/benchmark.h>
#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

struct Record {
    std::string name;
    uint64_t fileTime;
};

// Copies each record into the caller's buffer, as the platform does.
class MemoryStore : public HistoryStore {
public:
    explicit MemoryStore(const std::vector<Record>& records) : m_records(records) {}

    bool UserName(char* buffer, uint32_t* size) override
    {
        std::strcpy(buffer, "alice");
        *size = 6;
        return true;
    }
    StoreStatus FindFirst(const char*, void* buffer, uint32_t* size, CacheRecord* record) override
    {
        m_next = 0;
        return FindNext(buffer, size, record);
    }
    StoreStatus FindNext(void* buffer, uint32_t* size, CacheRecord* record) override
    {
        if (m_next >= m_records.size())
            return StoreStatus::NoMoreItems;
        const Record& r = m_records[m_next++];
        uint32_t needed = 80 + static_cast<uint32_t>(r.name.size()) + 1;
        if (*size < needed) {
            *size = needed;
            --m_next;
            return StoreStatus::InsufficientBuffer;
        }
        char* name = static_cast<char*>(buffer) + 80;
        std::memcpy(name, r.name.c_str(), r.name.size() + 1);
        record->entryType = 0x1;
        record->sourceUrlName = name;
        record->lastAccessTime = r.fileTime;
        return StoreStatus::Ok;
    }
    void Close() override {}

private:
    const std::vector<Record>& m_records;
    size_t m_next = 0;
};

// About 30 % other users, 20 % not http, the rest candidates; names of 40 to 200 bytes.
const std::vector<Record>& Records()
{
    static const std::vector<Record> records = [] {
        std::mt19937 rng(42);
        std::vector<Record> all;
        all.reserve(1000000);
        const char* users[] = { "bob", "carol", "dave" };
        for (int i = 0; i < 1000000; ++i) {
            int kind = static_cast<int>(rng() % 10);
            std::string name = "Visited: ";
            name += kind < 3 ? users[rng() % 3] : "alice";
            name += kind >= 3 && kind < 5 ? "@https://" : "@http://";
            name += "host" + std::to_string(rng() % 5000) + ".example/";
            size_t length = 40 + rng() % 161;
            while (name.size() < length)
                name += static_cast<char>('a' + rng() % 26);
            uint64_t seconds = 1700000000 + rng() % 50000000;
            all.push_back({ name, (seconds + 11644473600ULL) * 10000000ULL + rng() % 10000000 });
        }
        return all;
    }();
    return records;
}

// The whole scan with N = 16 over the records, once per iteration.
void RunScan(benchmark::State& state, const std::vector<Record>& records, unsigned flags)
{
    for (auto _ : state) {
        MemoryStore store(records);
        RecentSet recent(16);
        CHistoryReopener::ScanHistory(recent, flags, store, [](EntrySet&) {});
        benchmark::DoNotOptimize(recent.m_entries.size());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(records.size()));
}

void BM_Scan(benchmark::State& state) { RunScan(state, Records(), static_cast<unsigned>(state.range(0))); }

// The same records in ascending time: the order in which every record can enter the set.
const std::vector<Record>& AscendingRecords()
{
    static const std::vector<Record> records = [] {
        std::vector<Record> sorted = Records();
        std::sort(sorted.begin(), sorted.end(), [](const Record& a, const Record& b) { return a.fileTime < b.fileTime; });
        return sorted;
    }();
    return records;
}

// Through the store's interface, as the scan calls it. Argument 0: touch the first byte of
// each name; 1: read each name whole (strlen).
__attribute__((noinline)) size_t WalkAndTouch(HistoryStore& store, std::vector<char>& buffer, bool whole)
{
    CacheRecord record;
    uint32_t size = 65535;
    size_t touched = 0;
    for (StoreStatus s = store.FindFirst("visited:", buffer.data(), &size, &record); s == StoreStatus::Ok;
         s = store.FindNext(buffer.data(), &size, &record)) {
        touched += whole ? strlen(record.sourceUrlName) : static_cast<unsigned char>(record.sourceUrlName[0]);
        size = 65535;
    }
    store.Close();
    return touched;
}

void BM_BareLoop(benchmark::State& state)
{
    const std::vector<Record>& records = Records();
    std::vector<char> buffer(65536);
    for (auto _ : state) {
        MemoryStore store(records);
        benchmark::DoNotOptimize(WalkAndTouch(store, buffer, state.range(0) != 0));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(records.size()));
}

// Worst case: a store read in time order, so that no record is dropped by its time.
void BM_ScanAscending(benchmark::State& state)
{
    RunScan(state, AscendingRecords(), SCAN_HTTP_ONLY | SCAN_SKIP_OPEN | SCAN_ONLY_MINE);
}

BENCHMARK(BM_BareLoop)->Unit(benchmark::kMillisecond)->Arg(0)->Arg(1);
BENCHMARK(BM_Scan)->Unit(benchmark::kMillisecond)->Arg(7)->Arg(0);
BENCHMARK(BM_ScanAscending)->Unit(benchmark::kMillisecond);

}

BENCHMARK_MAIN();

// The history scan over a store in memory: filters, their order, the cut, the buffer.
#include "FakeHistoryStore.h"
#include "history/CHistoryReopener.h"
#include "history/ScanFlags.h"
#include "history/VisitTime.h"
#include <random>
#include <gtest/gtest.h>

namespace {

const unsigned ALL = SCAN_HTTP_ONLY | SCAN_SKIP_OPEN | SCAN_ONLY_MINE;

FakeRecord R(const std::string& name, int64_t t) { return FakeRecord{ name, FileTimeOf(t) }; }

struct ScanCase {
    const char* what;
    std::vector<FakeRecord> records;
    unsigned flags;
    std::vector<std::string> open;
    std::vector<std::string> kept;  // ascending time
    std::string user = "alice";
    uint32_t capacity = 16;
};

std::vector<std::string> Scan(FakeHistoryStore& store, FakeOpenWindows& windows, unsigned flags, uint32_t capacity)
{
    RecentSet recent(capacity);
    CHistoryReopener::ScanHistory(recent, flags, store, windows.Survey());
    std::vector<std::string> urls;
    int32_t previous = INT32_MIN;
    for (const HistoryEntry& e : recent.m_entries) {
        EXPECT_TRUE(e.m_hasTime);
        EXPECT_LE(previous, e.m_time);
        previous = e.m_time;
        urls.push_back(e.m_url);
    }
    return urls;
}

FakeRecord NotNormal(FakeRecord r)
{
    r.type = 0x00200000;
    return r;
}

TEST(ScanHistory, FilterTable)
{
    const std::string big(70000, 'x');
    const ScanCase cases[] = {
        { "latest N in ascending time", { R("Visited: alice@http://c/", 30), R("Visited: alice@http://a/", 10),
              R("Visited: alice@http://d/", 40), R("Visited: alice@http://b/", 20) }, ALL, {},
          { "http://c/", "http://d/" }, "alice", 2 },
        { "NORMAL bit required", { NotNormal(R("Visited: alice@http://n/", 10)), R("Visited: alice@http://y/", 5) },
          ALL, {}, { "http://y/" } },
        { "user pattern is a case-sensitive substring", { R("Visited: bob@http://a/", 1),
              R("Visited: jimbob@http://b/", 2), R("Visited: Bob@http://c/", 3), R("Visited: bobby@http://d/", 4) },
          ALL, {}, { "http://a/", "http://b/" }, "bob" },
        { "user tested on the whole name, before the cut", { R("Visited: x@http://alice@host/", 1) },
          ALL, {}, { "http://alice@host/" } },
        { "cut at the first http://", { R("Visited: alice@http://x/?u=http://y/", 1) }, ALL, {},
          { "http://x/?u=http://y/" } },
        { "non-http left out", { R("Visited: alice@https://s/", 1), R("Visited: alice@file:///c:/a.txt", 2),
              R("Visited: alice@HTTP://up/", 3) }, ALL, {}, {} },
        { "whole name kept without the http filter", { R("Visited: alice@ftp://f/", 1),
              R("Visited: alice@http://h/", 2) }, SCAN_ONLY_MINE, {},
          { "Visited: alice@ftp://f/", "Visited: alice@http://h/" } },
        { "a script or content address is never taken", { R("Visited: alice@javascript:alert(1)", 3),
              R("Visited: alice@DATA:text/html,x", 4), R("Visited: alice@http://h/", 2), R("Visited: alice@VBScript:x", 5) },
          SCAN_ONLY_MINE, {}, { "Visited: alice@http://h/" } },
        { "open lookup after the cut", { R("Visited: alice@http://a/", 1), R("Visited: alice@http://b/", 2) },
          ALL, { "http://a/" }, { "http://b/" } },
        { "open lookup is exact", { R("Visited: alice@http://a/", 1) }, ALL, { "http://A/", "http://a" },
          { "http://a/" } },
        { "without the cut the whole name is looked up", { R("Visited: alice@http://a/", 1) },
          SCAN_SKIP_OPEN | SCAN_ONLY_MINE, { "http://a/" }, { "Visited: alice@http://a/" } },
        { "open windows ignored without the flag", { R("Visited: alice@http://a/", 1) },
          SCAN_HTTP_ONLY | SCAN_ONLY_MINE, { "http://a/" }, { "http://a/" } },
        { "same URL at two times offered twice", { R("Visited: bob@http://a/", 10), R("Visited: alice@http://a/", 20) },
          SCAN_HTTP_ONLY, {}, { "http://a/", "http://a/" } },
        { "all users without the user flag", { R("Visited: bob@http://b/", 1), R("Visited: alice@http://a/", 2) },
          SCAN_HTTP_ONLY, {}, { "http://b/", "http://a/" } },
        { "oversized record in the middle", { R("Visited: alice@http://1/", 1),
              R("Visited: alice@http://big/" + big, 2), R("Visited: alice@http://3/", 3) }, ALL, {},
          { "http://1/", "http://big/" + big, "http://3/" } },
        { "oversized first record", { R("Visited: alice@http://big/" + big, 2), R("Visited: alice@http://3/", 3) },
          ALL, {}, { "http://big/" + big, "http://3/" } },
        { "failing first record ends the scan", { FakeRecord{ "Visited: alice@http://a/", FileTimeOf(1), 1, true },
              R("Visited: alice@http://b/", 2) }, ALL, {}, {} },
        { "failing record ends the scan with what it has", { R("Visited: alice@http://a/", 1),
              FakeRecord{ "Visited: alice@http://b/", FileTimeOf(2), 1, true }, R("Visited: alice@http://c/", 3) },
          ALL, {}, { "http://a/" } },
        { "user name that does not fit keeps all users", { R("Visited: bob@http://b/", 1) }, ALL, {},
          { "http://b/" }, std::string(300, 'u') },
        { "capacity 0", { R("Visited: alice@http://a/", 1) }, ALL, {}, {}, "alice", 0 },
        { "empty store", {}, ALL, {}, {} },
        { "times out of range still offered", { R("Visited: alice@http://old/", -5000),
              FakeRecord{ "Visited: alice@http://zero/", 0 }, R("Visited: alice@http://new/", 5000000000LL) },
          ALL, {}, { "http://old/", "http://new/" } },
    };
    for (const ScanCase& c : cases) {
        FakeHistoryStore store;
        store.records = c.records;
        store.user = c.user;
        FakeOpenWindows windows;
        windows.addresses = c.open;
        EXPECT_EQ(c.kept, Scan(store, windows, c.flags, c.capacity)) << c.what;
        EXPECT_EQ(1, store.closes) << c.what;
        EXPECT_EQ((c.flags & SCAN_SKIP_OPEN) ? 1 : 0, windows.calls) << c.what;
    }
}

TEST(ScanHistory, FailingUserNameDropsTheUserFilter)
{
    FakeHistoryStore store;
    store.userFails = true;
    store.records = { R("Visited: bob@http://b/", 1) };
    FakeOpenWindows windows;
    EXPECT_EQ(std::vector<std::string>{ "http://b/" }, Scan(store, windows, ALL, 3));
}

TEST(ScanHistory, AsksWithTheContainersSpellingOnlyWhenTheFirstAnswerIsEmpty)
{
    const struct { bool anyCase; std::vector<std::string> patterns; } cases[] = {
        { true, { "visited:" } },               // Windows
        { false, { "visited:", "Visited:" } },  // Wine
    };
    for (const auto& c : cases) {
        FakeHistoryStore store;
        store.anyCasePattern = c.anyCase;
        store.records = { R("Visited: alice@http://a/", 1) };
        FakeOpenWindows windows;
        EXPECT_EQ(std::vector<std::string>{ "http://a/" }, Scan(store, windows, ALL, 3));
        EXPECT_EQ(c.patterns, store.patterns);
    }
}

TEST(ScanHistory, OneBufferStartsAt65535AndGrowsForALargeRecord)
{
    FakeHistoryStore store;
    const std::string big(70000, 'x');
    store.records = { R("Visited: alice@http://a/", 1), R("Visited: alice@http://b/" + big, 2),
                      R("Visited: alice@http://c/", 3) };
    FakeOpenWindows windows;
    Scan(store, windows, ALL, 3);
    const uint32_t needed = FakeHistoryStore::kHeader + static_cast<uint32_t>(store.records[1].name.size()) + 1;
    // a, b refused, b again, c, end
    const std::vector<uint32_t> expected = { 65535, 65535, needed, needed, needed };
    EXPECT_EQ(expected, store.sizesHandedIn);
}

// A store that answers every later read with "insufficient buffer" and a size of its own:
// the size it was handed plus `extra` (less, the same, or a little more each time). None may
// keep the scan reading for ever; each ends it as a failed read does.
class AskingStore : public FakeHistoryStore {
public:
    explicit AskingStore(int64_t extra) : m_extra(extra) {}
    int calls = 0;
    StoreStatus FindNext(void*, uint32_t* size, CacheRecord*) override
    {
        ++calls;
        *size = static_cast<uint32_t>(static_cast<int64_t>(*size) + m_extra);
        return StoreStatus::InsufficientBuffer;
    }

private:
    int64_t m_extra;
};

TEST(ScanHistory, StoreThatKeepsAskingForABufferEndsTheScan)
{
    const struct { const char* what; int64_t extra; int calls; } cases[] = {
        { "less than it had", -1000, 1 },
        { "what it had", 0, 1 },
        { "one byte more each time", 1, CHistoryReopener::kMostReadsOfOneRecord },
        { "a page more each time", 4096, CHistoryReopener::kMostReadsOfOneRecord },
    };
    for (const auto& c : cases) {
        AskingStore store(c.extra);
        store.records = { R("Visited: alice@http://a/", 1), R("Visited: alice@http://b/", 2) };
        FakeOpenWindows windows;
        EXPECT_EQ(std::vector<std::string>{ "http://a/" }, Scan(store, windows, ALL, 3)) << c.what;
        EXPECT_EQ(c.calls, store.calls) << c.what;
        EXPECT_EQ(1, store.closes) << c.what;
    }
}
}

namespace {
TEST(ScanFlags, OnlyWhetherAnOptionIsNonZeroCounts)
{
    const struct { int http, skipOpen, onlyMine; unsigned flags; } cases[] = {
        { 0, 0, 0, 0u },
        { 1, 0, 0, SCAN_HTTP_ONLY },
        { 0, 5, 0, SCAN_SKIP_OPEN },
        { 0, 0, -1, SCAN_ONLY_MINE },
        { 2, 3, 4, SCAN_HTTP_ONLY | SCAN_SKIP_OPEN | SCAN_ONLY_MINE },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.flags, ScanFlagsFor(c.http, c.skipOpen, c.onlyMine)) << c.http << c.skipOpen << c.onlyMine;
}
}

namespace {
// The scan skips a record by its time before it searches its name; the result must be the
// one of offering every record that passes the filters, in store order, to the set.
TEST(ScanHistory, MatchesFilteringEveryRecordOnRandomStores)
{
    std::mt19937 rng(1210);
    const char* users[] = { "alice", "bob", "malice", "Alice" };
    const char* schemes[] = { "http://", "https://", "ftp://", "x http://" };
    for (int round = 0; round < 500; ++round) {
        FakeHistoryStore store;
        std::vector<std::string> open;
        int count = static_cast<int>(rng() % 40);
        for (int i = 0; i < count; ++i) {
            std::string url = std::string(schemes[rng() % 4]) + "h/" + std::to_string(rng() % 12);
            FakeRecord r = R(std::string("Visited: ") + users[rng() % 4] + "@" + url, static_cast<int64_t>(rng() % 30));
            if (rng() % 8 == 0)
                r.type = 0x00200000;
            store.records.push_back(r);
            if (rng() % 6 == 0)
                open.push_back(url.substr(url.find("http://") == std::string::npos ? 0 : url.find("http://")));
        }
        unsigned flags = rng() % 8;
        uint32_t capacity = rng() % 6;

        RecentSet expected(capacity);
        EntrySet openSet;
        for (const std::string& o : open)
            openSet.insert(HistoryEntry(o, 0, false));
        for (const FakeRecord& r : store.records) {
            if (!(r.type & 1) || ((flags & SCAN_ONLY_MINE) && r.name.find("alice@") == std::string::npos))
                continue;
            std::string url = r.name;
            if (flags & SCAN_HTTP_ONLY) {
                size_t at = url.find("http://");
                if (at == std::string::npos)
                    continue;
                url = url.substr(at);
            }
            if ((flags & SCAN_SKIP_OPEN) && openSet.count(HistoryEntry(url, 0, false)))
                continue;
            expected.Add(HistoryEntry(url, VisitTime::FromFileTime(r.fileTime), true));
        }

        FakeOpenWindows windows;
        windows.addresses = open;
        RecentSet got(capacity);
        CHistoryReopener::ScanHistory(got, flags, store, windows.Survey());
        std::vector<std::pair<int32_t, std::string>> a, b;
        for (const HistoryEntry& e : expected.m_entries)
            a.emplace_back(e.m_time, e.m_url);
        for (const HistoryEntry& e : got.m_entries)
            b.emplace_back(e.m_time, e.m_url);
        ASSERT_EQ(a, b) << "round " << round << " flags " << flags << " capacity " << capacity;
    }
}
}

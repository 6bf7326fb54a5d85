// The bounded insertion: the N latest distinct times, the first offered for each time.
#include "history/RecentSet.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <vector>

namespace {
HistoryEntry E(const char* url, int32_t t) { return HistoryEntry(url, t, true); }

std::vector<std::string> Urls(const RecentSet& s)
{
    std::vector<std::string> urls;
    for (const HistoryEntry& e : s.m_entries)
        urls.push_back(e.m_url);
    return urls;
}

struct Case {
    const char* what;
    uint32_t capacity;
    std::vector<HistoryEntry> offered;
    std::vector<std::string> kept;  // ascending time
};

TEST(RecentSet, BoundedInsertionTable)
{
    const Case cases[] = {
        { "keeps all while there is room", 3, { E("b", 20), E("a", 10) }, { "a", "b" } },
        { "later entry drops the earliest", 2, { E("a", 10), E("b", 20), E("c", 30) }, { "b", "c" } },
        { "entry as old as the earliest is ignored", 2, { E("a", 10), E("b", 20), E("x", 10) }, { "a", "b" } },
        { "entry as old as another kept one is ignored", 2, { E("a", 10), E("b", 20), E("x", 20) }, { "a", "b" } },
        { "same time while not full is refused", 3, { E("a", 10), E("x", 10) }, { "a" } },
        { "older entry kept while not full", 3, { E("b", 20), E("a", 10) }, { "a", "b" } },
        { "older entry ignored when full", 2, { E("b", 20), E("c", 30), E("a", 10) }, { "b", "c" } },
        { "capacity 1 keeps the first of the latest", 1, { E("a", 10), E("b", 30), E("c", 30), E("d", 20) }, { "b" } },
        { "capacity 0 keeps nothing", 0, { E("a", 10), E("b", 20) }, {} },
        { "negative times order first", 2, { E("p", 5), E("n", -5), E("m", -50) }, { "n", "p" } },
        { "same URL, two times", 3, { E("u", 10), E("u", 20) }, { "u", "u" } },
    };
    for (const Case& c : cases) {
        RecentSet s(c.capacity);
        for (const HistoryEntry& e : c.offered)
            s.Add(e);
        EXPECT_EQ(c.kept, Urls(s)) << c.what;
        EXPECT_LE(s.m_entries.size(), c.capacity) << c.what;
    }
}

TEST(RecentSet, MayAcceptAgreesWithAdd)
{
    RecentSet s(2);
    EXPECT_TRUE(s.MayAccept(-100));
    s.Add(E("a", 10));
    s.Add(E("b", 20));
    EXPECT_FALSE(s.MayAccept(10));
    EXPECT_FALSE(s.MayAccept(5));
    EXPECT_TRUE(s.MayAccept(11));
    EXPECT_FALSE(RecentSet(0).MayAccept(1));
}

// Reference: sort by time, keep the first offered per time, take the last N.
std::vector<std::pair<int32_t, std::string>> Model(const std::vector<HistoryEntry>& offered, uint32_t n)
{
    std::map<int32_t, std::string> first;
    for (const HistoryEntry& e : offered)
        first.emplace(e.m_time, e.m_url);
    std::vector<std::pair<int32_t, std::string>> all(first.begin(), first.end());
    if (all.size() > n)
        all.erase(all.begin(), all.end() - n);
    return all;
}

TEST(RecentSet, MatchesReferenceModelOnRandomOffers)
{
    std::mt19937 rng(20261210);
    for (int round = 0; round < 3000; ++round) {
        uint32_t n = rng() % 18;
        int count = static_cast<int>(rng() % 60);
        int32_t spread = 1 + static_cast<int32_t>(rng() % 80);  // small spreads force equal times
        std::vector<HistoryEntry> offered;
        for (int i = 0; i < count; ++i) {
            int32_t t = static_cast<int32_t>(rng() % static_cast<uint32_t>(2 * spread)) - spread;
            offered.push_back(E(("u" + std::to_string(i)).c_str(), t));
        }
        RecentSet s(n);
        for (const HistoryEntry& e : offered)
            s.Add(e);
        std::vector<std::pair<int32_t, std::string>> got;
        for (const HistoryEntry& e : s.m_entries)
            got.emplace_back(e.m_time, e.m_url);
        ASSERT_EQ(Model(offered, n), got) << "round " << round << " n " << n;
    }
}
}

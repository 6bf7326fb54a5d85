// The pages chosen over the URL cache and the browsers' histories.
#include "reopen/MergedSelection.h"
#include "reopen/PageListing.h"
#include "history/LatestVisits.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <random>
#include <set>
#include <tuple>

namespace {
int64_t S(int seconds) { return seconds * 1000000LL; }
using Pages = std::vector<PageCandidate>;
}

// The URL cache alone: the set's own entries in its own order, whatever repeats they hold.
TEST(MergedSelection, UrlCacheAloneIsTheSetsResult)
{
    RecentSet recent(3);
    for (auto [url, t] : std::vector<std::pair<const char*, int32_t>>{
             { "http://a/", 10 }, { "http://b/", 30 }, { "http://a/", 20 }, { "http://c/", 5 } })
        recent.Add(HistoryEntry(url, t, true));
    MergedSelection merged(3);
    merged.AddUrlCache(recent);
    Pages expected;
    for (const HistoryEntry& e : recent.m_entries)
        expected.push_back({ e.m_url, S(e.m_time), nullptr, {}, {} });
    EXPECT_EQ(expected, merged.OldestFirst());
    EXPECT_EQ("http://a/", expected[0].url);
    EXPECT_EQ("http://a/", expected[1].url) << "the cache's own repeat stays";
}

TEST(MergedSelection, SourcesTogether)
{
    RecentSet recent(3);
    recent.Add(HistoryEntry("http://shared/", 100, true));
    recent.Add(HistoryEntry("http://cache-only/", 50, true));
    MergedSelection merged(5);
    merged.AddUrlCache(recent);
    merged.AddVisits(Browsers::Find("Chrome"), "Default",
                     { { "http://shared/", S(200) }, { "http://same-second-1/", S(300) + 1 } });
    merged.AddVisits(Browsers::Find("Edge"), "Profile 1",
                     { { "http://same-second-2/", S(300) + 2 }, { "http://shared/", S(150) } });
    merged.AddVisits(Browsers::Find("Firefox"), "abcd.default", { { "http://old/", S(10) }, { "http://tie/", S(400) } });
    merged.AddVisits(Browsers::Find("Chrome"), "Profile 2", { { "http://tie/", S(400) } });
    const Pages expected = {
        { "http://cache-only/", S(50), nullptr, {}, {} },
        { "http://shared/", S(200), Browsers::Find("Chrome"), "Default", {} },    // the later visit wins
        { "http://same-second-1/", S(300) + 1, Browsers::Find("Chrome"), "Default", {} },
        { "http://same-second-2/", S(300) + 2, Browsers::Find("Edge"), "Profile 1", {} },
        { "http://tie/", S(400), Browsers::Find("Firefox"), "abcd.default", {} },  // the one added first
    };
    EXPECT_EQ(expected, merged.OldestFirst()) << "http://old/ is the sixth";
}

// The list keeps pages open now and marks them: an address that one source shows open and
// another does not is listed from the one where it is not open (as it would be opened), and
// the open ones take no place among the latest `capacity`. Exact rows, so that either rule
// turned round shows.
TEST(MergedSelection, OpenPagesInTheListTakeNoPlaceAndYieldToTheOpenable)
{
    const BrowserDescriptor* chrome = Browsers::Find("Chrome");
    const BrowserDescriptor* edge = Browsers::Find("Edge");
    using V = std::vector<BrowserVisit>;
    const struct {
        const char* what;
        size_t capacity;
        V chrome, edge;
        std::vector<std::string> rows;  // "address source" newest first, " open" for a page open now
    } cases[] = {
        { "open in Chrome, seen later there than in Edge: listed from Edge", 2,
          V{ { "http://x/", S(300), {}, true }, { "http://a/", S(100) } }, V{ { "http://x/", S(200) }, { "http://b/", S(150) } },
          { "http://x/ Edge", "http://b/ Edge" } },
        { "the same the other way round", 2,
          V{ { "http://x/", S(200) }, { "http://b/", S(150) } }, V{ { "http://x/", S(300), {}, true }, { "http://a/", S(100) } },
          { "http://x/ Chrome", "http://b/ Chrome" } },
        { "open pages take no place", 2,
          V{ { "http://o/", S(500), {}, true }, { "http://p/", S(400) }, { "http://q/", S(300) } }, V{},
          { "http://o/ Chrome open", "http://p/ Chrome", "http://q/ Chrome" } },
        { "open in both: listed once, from the later", 1,
          V{ { "http://o/", S(500), {}, true }, { "http://p/", S(100) } }, V{ { "http://o/", S(600), {}, true } },
          { "http://o/ Edge open", "http://p/ Chrome" } },
    };
    for (const auto& c : cases) {
        MergedSelection merged(c.capacity, true);
        merged.AddVisits(chrome, "Default", c.chrome, L"chrome.exe");
        merged.AddVisits(edge, "Default", c.edge, L"msedge.exe");
        std::vector<std::string> rows;
        for (const PageCandidate& page : merged.NewestFirst())
            rows.push_back(page.url + " " + page.browser->key + (page.openNow ? " open" : ""));
        EXPECT_EQ(c.rows, rows) << c.what;
        // "再び表示" passes the open ones over: the same without them.
        MergedSelection reopen(c.capacity);
        reopen.AddVisits(chrome, "Default", c.chrome, L"chrome.exe");
        reopen.AddVisits(edge, "Default", c.edge, L"msedge.exe");
        for (const PageCandidate& page : reopen.OldestFirst())
            EXPECT_FALSE(page.openNow) << c.what;
    }
}

// Against a plain model on random sources: each address once across sources (latest visit,
// first added on a tie), the cache's repeats kept, the latest `capacity`, oldest first.
TEST(MergedSelection, MatchesAPlainModelOnRandomSources)
{
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        const size_t capacity = 1 + random() % 6;
        RecentSet recent(static_cast<uint32_t>(capacity));
        for (int i = random() % 6; i > 0; --i)
            recent.Add(HistoryEntry("http://" + std::to_string(random() % 5) + "/", static_cast<int32_t>(random() % 20), true));
        MergedSelection merged(capacity);
        Pages all;
        merged.AddUrlCache(recent);
        for (const HistoryEntry& e : recent.m_entries)
            all.push_back({ e.m_url, S(e.m_time), nullptr, {}, {} });
        for (const BrowserDescriptor& b : Browsers::All()) {
            const BrowserDescriptor* source = &b;
            std::vector<BrowserVisit> visits;
            for (int i = random() % 5; i > 0; --i) {
                std::string url = "http://" + std::to_string(random() % 5) + "/";
                bool repeat = false;
                for (const BrowserVisit& v : visits)
                    repeat = repeat || v.url == url;  // a reader gives each address once
                if (!repeat)
                    visits.push_back({ url, S(static_cast<int>(random() % 20)) + static_cast<int64_t>(random() % 3) });
            }
            merged.AddVisits(source, "p", visits);
            for (const BrowserVisit& v : visits)
                all.push_back({ v.url, v.timeUs, source, "p", {} });
        }
        std::vector<size_t> keep;
        for (size_t i = 0; i < all.size(); ++i) {
            size_t best = i;
            for (size_t j = 0; j < all.size(); ++j)
                if (all[j].url == all[i].url && (all[j].timeUs > all[best].timeUs || (all[j].timeUs == all[best].timeUs && j < best)))
                    best = j;
            if (best == i || (!all[i].browser && !all[best].browser))
                keep.push_back(i);
        }
        for (size_t a = 0; a < keep.size(); ++a)
            for (size_t b = a + 1; b < keep.size(); ++b)
                if (all[keep[b]].timeUs > all[keep[a]].timeUs || (all[keep[b]].timeUs == all[keep[a]].timeUs && keep[b] < keep[a]))
                    std::swap(keep[a], keep[b]);
        if (keep.size() > capacity)
            keep.resize(capacity);
        Pages expected;
        for (size_t k = keep.size(); k-- > 0;)
            expected.push_back(all[keep[k]]);
        ASSERT_EQ(expected, merged.OldestFirst()) << "round " << round;
    }
}

// The list against "再び表示" on random sources with open pages: the pre-checked rows are
// exactly the pages that "再び表示" opens (read with open pages passed over and its own
// count), each address is listed once, newest first, open rows are never pre-checked, and the
// rows that could be opened are the latest `listCount` of them.
TEST(PageListing, PreCheckedRowsAreWhatReopenOpens)
{
    std::mt19937 random(11);
    const int64_t now = S(1000);
    for (int round = 0; round < 1500; ++round) {
        const size_t openCount = 1 + random() % 4;
        const size_t listCount = openCount + random() % 4;
        std::set<std::string> open;
        for (int i = random() % 4; i > 0; --i)
            open.insert("http://" + std::to_string(random() % 8) + "/");
        // The URL cache: distinct seconds, so that both of its sets see the same entries.
        std::vector<HistoryEntry> cache;
        std::set<int32_t> seconds;
        for (int i = random() % 6; i > 0; --i) {
            int32_t t = static_cast<int32_t>(random() % 40);
            if (seconds.insert(t).second)
                cache.emplace_back("http://" + std::to_string(random() % 8) + "/", t, true);
        }
        RecentSet toOpenCache(static_cast<uint32_t>(openCount)), listedCache(static_cast<uint32_t>(listCount)),
            latestCache(static_cast<uint32_t>(listCount));
        for (const HistoryEntry& e : cache) {
            latestCache.Add(e);
            if (!open.count(e.m_url)) {
                listedCache.Add(e);
                toOpenCache.Add(e);
            }
        }
        MergedSelection reopen(openCount);
        reopen.AddUrlCache(toOpenCache);
        PageListing listing(openCount, listCount);
        listing.AddUrlCache(listedCache, latestCache, open, toOpenCache);
        for (const BrowserDescriptor& b : Browsers::All()) {
            // One profile's history, newest first, as a reader offers it.
            std::vector<std::pair<std::string, int64_t>> history;
            for (int i = random() % 8; i > 0; --i)
                history.emplace_back("http://" + std::to_string(random() % 8) + "/", S(static_cast<int>(random() % 40)));
            std::stable_sort(history.begin(), history.end(), [](auto& x, auto& y) { return x.second > y.second; });
            LatestVisits skipping(openCount, now, true), marking(listCount, now, true);
            skipping.Skip(open);
            marking.Mark(open);
            for (auto& [url, t] : history) {
                skipping.Offer(url.data(), url.size(), t);
                marking.Offer(url.data(), url.size(), t);
            }
            reopen.AddVisits(&b, "p", skipping.Visits(), L"prog", L"name");
            listing.AddVisits(&b, "p", marking.Visits(), L"prog", L"name");
        }
        std::vector<ListedPage> rows = listing.Rows();
        // (The URL cache's repeats of one address, which "再び表示" opens each time, are one row.)
        std::set<std::tuple<std::string, const BrowserDescriptor*>> expected, checked;
        for (const PageCandidate& p : reopen.OldestFirst())
            expected.emplace(p.url, p.browser);
        std::set<std::string> addresses;
        size_t openable = 0;
        for (size_t i = 0; i < rows.size(); ++i) {
            const ListedPage& r = rows[i];
            if (r.preChecked)
                checked.emplace(r.page.url, r.page.browser);
            ASSERT_TRUE(addresses.insert(r.page.url).second) << "round " << round << ": " << r.page.url << " twice";
            ASSERT_FALSE(r.preChecked && r.page.openNow) << "round " << round;
            ASSERT_TRUE(i == 0 || rows[i - 1].page.timeUs >= r.page.timeUs) << "round " << round;
            openable += r.page.openNow ? 0 : 1;
        }
        ASSERT_EQ(expected, checked) << "round " << round;
        ASSERT_LE(openable, listCount) << "round " << round;
    }
}

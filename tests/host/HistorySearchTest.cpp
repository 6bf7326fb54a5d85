// The list's search: which words a page's title or address holds, and the search of a whole
// history built in each browser's schema (newest seen visit first, each address once, hidden
// pages and redirect hops left out, the period, the count, a stop, a file it must refuse).
#include "history/ChromiumHistory.h"
#include "history/FirefoxHistory.h"
#include "history/HistorySearch.h"
#include "text/SearchWords.h"
#include "HistoryFixtures.h"
#include <gtest/gtest.h>
#include <atomic>
#include <string>
#include <vector>

TEST(SearchWords, WordsOfATitleOrAddress)
{
    const struct { const char* what; const char* filter; const char* title; const char* url; bool matches; } cases[] = {
        { "empty: every page", "", "anything", "http://a/", true },
        { "blanks only", " \t　", "anything", "http://a/", true },
        { "case of the page", "recipe", "Best RECIPES", "http://a/", true },
        { "case of the word", "ReCiPe", "best recipes", "http://a/", true },
        { "full-width word", "ＲＥＣＩＰＥ", "best recipes", "http://a/", true },
        { "full-width title", "recipe", "ｂｅｓｔ　Ｒｅｃｉｐｅｓ", "http://a/", true },
        { "full-width digits", "２０２６", "report 2026", "http://a/", true },
        { "in the address only", "example", "", "https://Example.org/", true },
        { "percent is a plain character", "100%", "100% off", "http://a/", true },
        { "percent matches nothing else", "1%0", "100 off", "http://a/", false },
        { "underscore is a plain character", "a_b", "axb", "http://a/", false },
        { "underscore found", "a_b", "", "http://x/a_b", true },
        { "Japanese as typed", "料理", "今日の料理レシピ", "http://a/", true },
        { "kana not folded", "りょうり", "リョウリ", "http://a/", false },
        { "several words, either field", "recipe example", "A recipe", "http://example.org/", true },
        { "several words, any order", "soup tomato", "Tomato soup", "http://a/", true },
        { "a word missing", "recipe missing", "A recipe", "http://example.org/", false },
        { "ideographic space splits", "料理　簡単", "簡単な料理", "http://a/", true },
        { "no match", "zebra", "A recipe", "http://a/", false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.matches, SearchWords(c.filter).Matches(c.url, c.title)) << c.what;

    EXPECT_EQ((std::vector<std::string>{ "a", "b" }), SearchWords("A  b a").Words()) << "split, folded, once each";
    std::string many;
    for (int i = 0; i < 40; ++i)
        many += "w" + std::to_string(i) + " ";
    EXPECT_EQ(SearchWords::kMostWords, SearchWords(many).Words().size());
    EXPECT_EQ(SearchWords::kLongestWord, SearchWords(std::string(1000, 'x')).Words().front().size());
}

TEST(SearchWords, Period)
{
    const int64_t day = 24LL * 3600 * 1000000;
    const struct { const char* what; int64_t from; int64_t seen; bool matches; } cases[] = {
        { "any time", 0, 1, true },
        { "within the period", kNowUs - 7 * day, kNowUs - 6 * day, true },
        { "at its start", kNowUs - 7 * day, kNowUs - 7 * day, true },
        { "before it", kNowUs - 7 * day, kNowUs - 7 * day - 1, false },
    };
    for (const auto& c : cases) {
        HistoryQuery query;
        query.fromUs = c.from;
        EXPECT_EQ(c.matches, query.Matches("http://a/", "", c.seen)) << c.what;
    }
}

namespace {
// The same history in both browsers' schemas: what a visit is for each.
struct Family {
    const char* name;
    const char* file;
    bool firefox;
    int64_t seen, hop, frame;  // a page seen, a redirect hop (Chromium), a frame
};
const Family kFamilies[] = {
    { "Chromium", "History", false, kLink | kChainStart | kChainEnd, kLink | kChainStart | kServerRedirect,
      kSubframe | kChainStart | kChainEnd },
    { "Firefox", "places.sqlite", true, 1, -1, 8 },
};

HistoryReadResult Search(const Family& f, const std::string& file, const std::string& words, LatestVisits& latest,
                         int64_t fromUs = 0)
{
    HistoryQuery query;
    query.words = SearchWords(words);
    query.fromUs = fromUs;
    return f.firefox ? FirefoxHistory::Search(file, query, latest) : ChromiumHistory::Search(file, query, latest);
}

std::vector<std::string> Urls(const LatestVisits& latest)
{
    std::vector<std::string> urls;
    for (const BrowserVisit& v : latest.Visits())
        urls.push_back(v.url);
    return urls;
}
}

class HistorySearchFiles : public ::testing::TestWithParam<Family> {
protected:
    // Pages about soup among many others: older than any count of latest pages would reach.
    void SetUp() override
    {
        const Family& f = GetParam();
        m_file = m_dir.File(f.file);
        Db db(m_file);
        db.Exec(f.firefox ? kFirefoxSchema : kChromiumSchemas[1]);
        std::vector<Visit> visits;
        for (int i = 0; i < 200; ++i)  // the newest pages, none of them soup
            visits.push_back({ "http://news/" + std::to_string(i), 0, T(900 + i), f.seen });
        visits.push_back({ "http://soup/tomato", 0, T(100), f.seen });
        visits.push_back({ "http://soup/tomato", 0, T(300), f.seen });  // seen again: once, at 300
        visits.push_back({ "http://soup/onion", 0, T(200), f.seen });
        visits.push_back({ "http://soup/hidden", 1, T(400), f.seen });
        visits.push_back({ "http://soup/framed", 0, T(410), f.frame });
        visits.push_back({ "http://soup/leek", 0, T(150), f.seen });
        visits.push_back({ "http://soup/leek", 0, T(800), f.frame });  // last visit newer than the one seen
        visits.push_back({ "javascript:soup()", 0, T(420), f.seen });
        visits.push_back({ "http://soup/unkept", 0, T(120), f.seen });  // its last visit not kept
        if (!f.firefox) {
            visits.push_back({ "http://soup/hop", 0, T(430), f.hop });
            visits.push_back({ "http://soup/ladle", 0, T(250), f.seen });
            visits.push_back({ "http://soup/ladle", 0, T(440), f.hop });
        }
        f.firefox ? FillFirefox(db, visits) : FillChromium(db, visits);
        const char* table = f.firefox ? "moz_places" : "urls";
        db.Exec(std::string("UPDATE ") + table + " SET title = 'Soup of the day' WHERE url = 'http://soup/onion'");
        db.Exec(std::string("UPDATE ") + table + " SET title = 'Tomato Soup' WHERE url = 'http://soup/tomato'");
        db.Exec(f.firefox ? "UPDATE moz_places SET last_visit_date = NULL WHERE url = 'http://soup/unkept'"
                          : "UPDATE urls SET last_visit_time = 0 WHERE url = 'http://soup/unkept'");
    }

    TempDir m_dir;
    std::string m_file;
};

TEST_P(HistorySearchFiles, NewestSeenFirstEachAddressOnce)
{
    const Family& f = GetParam();
    const std::vector<std::string> all = f.firefox
        ? std::vector<std::string>{ "http://soup/tomato", "http://soup/onion", "http://soup/leek", "http://soup/unkept" }
        : std::vector<std::string>{ "http://soup/tomato", "http://soup/ladle", "http://soup/onion", "http://soup/leek",
                                    "http://soup/unkept" };
    LatestVisits latest(16, kNowUs, true);
    ASSERT_EQ(HistoryReadResult::Read, Search(f, m_file, "SOUP", latest).kind());
    EXPECT_EQ(all, Urls(latest));
    EXPECT_EQ(T(300), latest.Visits().front().timeUs);
    EXPECT_EQ("Tomato Soup", latest.Visits().front().title);
    EXPECT_EQ(T(150), latest.Visits()[all.size() - 2].timeUs) << "the leek's seen visit, not its frame";

    LatestVisits two(2, kNowUs, true);
    ASSERT_TRUE(Search(f, m_file, "soup", two));
    EXPECT_EQ(std::vector<std::string>(all.begin(), all.begin() + 2), Urls(two)) << "the count";

    LatestVisits words(16, kNowUs, true);
    ASSERT_TRUE(Search(f, m_file, "soup day", words));
    EXPECT_EQ(std::vector<std::string>{ "http://soup/onion" }, Urls(words)) << "a word in the title, one in the address";

    LatestVisits period(16, kNowUs, true);
    ASSERT_TRUE(Search(f, m_file, "soup", period, T(200)));
    EXPECT_EQ(std::vector<std::string>(all.begin(), all.end() - 2), Urls(period)) << "seen since the period's start";

    LatestVisits none(16, kNowUs, true);
    ASSERT_TRUE(Search(f, m_file, "zebra", none));
    EXPECT_TRUE(none.Visits().empty());

    LatestVisits older(16, kNowUs, true);
    ASSERT_TRUE(Search(f, m_file, "", older));
    EXPECT_EQ(16u, older.Visits().size()) << "no words: the latest pages";
    EXPECT_EQ("http://news/199", older.Visits().front().url);

    std::atomic<bool> stop{ true };
    LatestVisits stopped(16, kNowUs, true);
    stopped.StopWhen(&stop);
    Search(f, m_file, "soup", stopped);
    EXPECT_TRUE(stopped.Visits().empty()) << "stopped before it began";
}

// Without the index that finds a page's visits, the file is refused as of an unknown schema
// (a search would cost a walk of every visit per page).
TEST_P(HistorySearchFiles, RefusedWithoutThePagesVisitsIndex)
{
    const Family& f = GetParam();
    {
        Db db(m_file);
        db.Exec(f.firefox ? "DROP INDEX moz_historyvisits_placedateindex" : "DROP INDEX visits_url_index");
    }
    LatestVisits latest(16, kNowUs, true);
    EXPECT_EQ(HistoryReadResult::UnknownSchema, Search(f, m_file, "soup", latest).kind());
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, HistorySearchFiles, ::testing::ValuesIn(kFamilies),
                         [](const ::testing::TestParamInfo<Family>& info) { return std::string(info.param.name); });

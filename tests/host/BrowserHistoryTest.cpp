// The Chromium and Firefox history readers over databases that the tests build in each
// browser's schema: which visits count, the latest per address, the bounds, bad files, and
// the side files (journal, write-ahead log) of a copy.
#include "history/ChromiumHistory.h"
#include "history/FirefoxHistory.h"
#include "history/LatestVisits.h"
#include "HistoryFixtures.h"
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <vector>


// Which Chromium visits a person saw, for both schema generations.
TEST(ChromiumHistory, SeenVisitsLatestPerAddressNewestFirst)
{
    const int64_t seen = kChainStart | kChainEnd;
    const std::string longUrl = "http://long/" + std::string(100 * 1024, 'x');
    const std::vector<Visit> visits = {
        { "http://a/", 0, T(10), kLink | seen },
        { "http://a/", 0, T(20), kTyped | seen },                              // the same page later
        { "http://redirect-source/", 0, T(30), kLink | kChainStart | kServerRedirect },  // a hop
        { "https://redirect-target/", 0, T(30), kLink | kChainEnd | kServerRedirect },   // the page
        { "http://frame/", 0, T(40), kSubframe | seen },
        { "http://manual-frame/", 0, T(41), kManualSubframe | seen },
        { "http://keyword/", 0, T(42), kKeywordGenerated | seen },
        { "http://hidden/", 1, T(43), kLink | seen },
        { "ftp://files/", 0, T(44), kLink | seen },
        { longUrl, 0, T(45), kLink | seen },
        { "http://reload/", 0, T(46), kReload | seen },
        { "http://x/\" --renderer-cmd-prefix=calc", 0, T(47), kLink | seen },  // kept: data, quoted later
        { "http://future/", 0, kNowUs + 48LL * 3600 * 1000000, kLink | seen },
        { "http://before-1970/", 0, -5, kLink | seen },
        { "noscheme", 0, T(49), kLink | seen },
    };
    const Kept expected = {
        { "http://x/\" --renderer-cmd-prefix=calc", T(47) },
        { "http://reload/", T(46) },
        { "https://redirect-target/", T(30) },
        { "http://a/", T(20) },
    };
    for (const char* schema : kChromiumSchemas) {
        TempDir dir;
        {
            Db db(dir.File("History"));
            db.Exec(schema);
            FillChromium(db, visits);
        }
        LatestVisits latest(16, kNowUs, true);
        ASSERT_TRUE(ChromiumHistory::Read(dir.File("History"), latest));
        EXPECT_EQ(expected, latest.Visits());

        // All schemes, and a count that cuts.
        LatestVisits two(2, kNowUs, false);
        ASSERT_TRUE(ChromiumHistory::Read(dir.File("History"), two));
        EXPECT_EQ((Kept{ { "http://x/\" --renderer-cmd-prefix=calc", T(47) }, { "http://reload/", T(46) } }),
                  two.Visits());
        LatestVisits all(16, kNowUs, false);
        ASSERT_TRUE(ChromiumHistory::Read(dir.File("History"), all));
        EXPECT_EQ(5u, all.Visits().size()) << "ftp:// counts without the http filter";
    }
}

TEST(ChromiumHistory, TransitionRule)
{
    const struct { int64_t transition; int hidden; bool seen; } cases[] = {
        { kLink | kChainEnd, 0, true },
        { kLink | kChainStart, 0, false },
        { Stored(kTyped | kChainEnd | kServerRedirect), 0, true },  // negative as stored
        { kSubframe | kChainEnd, 0, false },
        { kManualSubframe | kChainEnd, 0, false },
        { kKeywordGenerated | kChainEnd, 0, false },
        { kLink | kChainEnd, 1, false },
        { static_cast<int64_t>(0x7FFFFFFF00000000LL) | kLink | kChainEnd, 0, true },  // only the low 32 bits count
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.seen, ChromiumHistory::CountsAsSeen(c.transition, c.hidden)) << std::hex << c.transition;
    EXPECT_EQ(0, ChromiumHistory::ToUnixMicros(0));
    EXPECT_EQ(1000000, ChromiumHistory::ToUnixMicros(kChromiumEpochUs + 1000000));
}

TEST(FirefoxHistory, SeenVisitsLatestPerAddressNewestFirst)
{
    const std::vector<Visit> visits = {
        { "http://a/", 0, T(10), 1 },
        { "http://a/", 0, T(20), 2 },
        { "http://moved/", 1, T(30), 1 },          // a redirect's source is hidden
        { "https://moved-here/", 0, T(30), 5 },    // its target, permanent redirect
        { "http://temp-target/", 0, T(31), 6 },
        { "http://embed/", 0, T(40), 4 },
        { "http://download/", 0, T(41), 7 },
        { "http://framed/", 0, T(42), 8 },
        { "http://reload/", 0, T(43), 9 },
        { "http://bookmarked/", 0, T(44), 3 },
        { "http://zero-time/", 0, 0, 1 },
        // Two pages seen within one second both count, in the order seen.
        { "http://first/", 0, T(50), 1 },
        { "http://second/", 0, T(50) + 1, 1 },
    };
    const Kept expected = {
        { "http://second/", T(50) + 1 }, { "http://first/", T(50) },     { "http://bookmarked/", T(44) },
        { "http://reload/", T(43) },     { "http://temp-target/", T(31) }, { "https://moved-here/", T(30) },
        { "http://a/", T(20) },
    };
    for (const char* schema : { kFirefoxSchema, kOlderFirefoxSchema }) {
        TempDir dir;
        {
            Db db(dir.File("places.sqlite"));
            db.Exec(schema);
            FillFirefox(db, visits);
            // A place never visited (a bookmark only) has no visit rows and no date.
            db.Exec("INSERT INTO moz_places(id, url, hidden, last_visit_date) VALUES (99, 'http://never/', 0, NULL)");
        }
        LatestVisits latest(16, kNowUs, true);
        ASSERT_TRUE(FirefoxHistory::Read(dir.File("places.sqlite"), latest));
        EXPECT_EQ(expected, latest.Visits());
    }
}

// A file that cannot be read is a source that gives nothing, and says so.
TEST(BrowserHistory, UnreadableFilesFail)
{
    TempDir dir;
    const std::string missing = dir.File("none");
    {
        std::ofstream(dir.File("empty"));
        std::ofstream(dir.File("garbage"), std::ios::binary) << std::string(4096, '\x5a');
        Db foreign(dir.File("foreign"));
        foreign.Exec("CREATE TABLE urls(id INTEGER PRIMARY KEY, url TEXT); CREATE TABLE visits(id INTEGER, url "
                     "INTEGER, visit_time INTEGER, transition INTEGER);");  // no urls.hidden
        Db places(dir.File("wrong-browser"));
        places.Exec(kFirefoxSchema);
    }
    using R = HistoryReadResult;
    const struct { const char* name; R::Kind why; } cases[] = {
        { "none", R::Missing }, { "empty", R::Empty }, { "garbage", R::Damaged },
        { "foreign", R::UnknownSchema }, { "wrong-browser", R::UnknownSchema },
    };
    for (const auto& c : cases) {
        LatestVisits latest(3, kNowUs, true);
        EXPECT_EQ(c.why, ChromiumHistory::Read(dir.File(c.name), latest).kind()) << c.name;
        EXPECT_TRUE(latest.Visits().empty()) << c.name;
    }
    LatestVisits latest(3, kNowUs, true);
    EXPECT_EQ(R::UnknownSchema, FirefoxHistory::Read(dir.File("foreign"), latest).kind());
    EXPECT_FALSE(std::ifstream(missing).good()) << "a missing file is not created";
}

// A truncated copy: never a crash, at most what the file still holds.
TEST(BrowserHistory, TruncatedFileGivesNothingOrASubset)
{
    TempDir dir;
    std::vector<Visit> visits;
    for (int i = 0; i < 400; ++i)
        visits.push_back({ "http://page/" + std::to_string(i) + "/" + std::string(200, 'p'), 0, T(i), kLink | kChainEnd });
    {
        Db db(dir.File("History"));
        db.Exec(kChromiumSchemas[1]);
        db.Exec("BEGIN");
        FillChromium(db, visits);
        db.Exec("COMMIT");
    }
    std::ifstream in(dir.File("History"), std::ios::binary);
    const std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (size_t cut : { whole.size() / 2, whole.size() - 1, size_t(100), size_t(4096) }) {
        std::ofstream(dir.File("cut"), std::ios::binary | std::ios::trunc) << whole.substr(0, cut);
        LatestVisits latest(16, kNowUs, false);
        ChromiumHistory::Read(dir.File("cut"), latest);
        for (const BrowserVisit& v : latest.Visits())
            EXPECT_EQ(0u, v.url.find("http://page/")) << "cut at " << cut;
    }
}

// Rows that only the write-ahead log holds are read from a copy that takes the log along.
TEST(FirefoxHistory, RowsOnlyInTheWriteAheadLogAreRead)
{
    TempDir dir;
    Db browser(dir.File("places.sqlite"));
    browser.Exec("PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;");
    browser.Exec(kFirefoxSchema);
    browser.Exec("PRAGMA wal_checkpoint(TRUNCATE);");
    FillFirefox(browser, { { "http://only-in-the-log/", 0, T(5), 1 } });
    // The browser keeps its connection open: the log is not folded into the file.
    std::system(("mkdir '" + dir.File("copy") + "' '" + dir.File("bare") + "' && cp '" + dir.File("places.sqlite") +
                 "' '" + dir.File("places.sqlite-wal") + "' '" + dir.File("copy") + "/' && cp '" +
                 dir.File("places.sqlite") + "' '" + dir.File("bare") + "/'")
                    .c_str());
    LatestVisits withLog(3, kNowUs, true);
    ASSERT_TRUE(FirefoxHistory::Read(dir.File("copy/places.sqlite"), withLog));
    EXPECT_EQ((Kept{ { "http://only-in-the-log/", T(5) } }), withLog.Visits());
    LatestVisits withoutLog(3, kNowUs, true);
    FirefoxHistory::Read(dir.File("bare/places.sqlite"), withoutLog);
    EXPECT_TRUE(withoutLog.Visits().empty()) << "the fixture: without the log the row is not there";
}

// A file left while the browser was writing holds a hot journal: it is read from a private
// copy, where SQLite rolls the half-written transaction back, and the committed rows are read.
TEST(ChromiumHistory, HotJournalOfACopyRollsBack)
{
    TempDir dir;
    LeaveHotJournal(dir.File("copy"));
    std::filesystem::create_directories(dir.File("bare"));
    std::filesystem::copy_file(dir.File("copy/History"), dir.File("bare/History"));
    std::atomic<int> copies{ 0 };
    LatestVisits latest(16, kNowUs, true);
    ASSERT_TRUE(ChromiumHistory::Read(dir.File("copy/History"), latest, TestCopy::Maker(&copies)));
    EXPECT_EQ((Kept{ { "http://committed/", T(1) } }), latest.Visits());
    EXPECT_EQ(1, copies.load()) << "a hot journal is rolled back in a private copy, never in place";
    LatestVisits inPlaceOnly(16, kNowUs, true);
    EXPECT_FALSE(ChromiumHistory::Read(dir.File("copy/History"), inPlaceOnly)) << "without a copy it cannot be read";
    // The fixture: without its journal, the same copy shows what was never committed.
    LatestVisits bare(16, kNowUs, true);
    ChromiumHistory::Read(dir.File("bare/History"), bare);
    EXPECT_NE(latest.Visits(), bare.Visits());
}

// The plan that SQLite takes: the visit-time index in descending order, no sort of the table.
TEST(BrowserHistory, QueriesWalkTheVisitTimeIndex)
{
    const struct { const char* what; const char* schema; const char* query; const char* index; } cases[] = {
        { "Chromium", kChromiumSchemas[1], ChromiumHistory::VisitsQuery(), "visits_time_index" },
        { "Firefox", kFirefoxSchema, FirefoxHistory::VisitsQuery(), "moz_historyvisits_dateindex" },
    };
    for (const auto& c : cases) {
        TempDir dir;
        Db db(dir.File("db"));
        db.Exec(c.schema);
        sqlite3_stmt* stmt = nullptr;
        ASSERT_EQ(SQLITE_OK, sqlite3_prepare_v2(db.Handle(), (std::string("EXPLAIN QUERY PLAN ") + c.query).c_str(), -1,
                                                &stmt, nullptr));
        std::string plan;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            plan += std::string(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3))) + "\n";
        sqlite3_finalize(stmt);
        EXPECT_NE(std::string::npos, plan.find(c.index)) << c.what << ":\n" << plan;
        EXPECT_EQ(std::string::npos, plan.find("TEMP B-TREE")) << c.what << ":\n" << plan;
    }
}

TEST(LatestVisits, AddressAndTimeRules)
{
    const struct { std::string url; int64_t time; bool httpOnly; bool kept; } cases[] = {
        { "http://a/", T(1), true, true },
        { "HTTPS://a/", T(1), true, true },
        { "ftp://a/", T(1), true, false },
        { "ftp://a/", T(1), false, true },
        { "file:///C:/x", T(1), false, true },
        { "javascript:alert(1)", T(1), true, false },
        { "-P evil", T(1), false, false },
        { "http", T(1), false, false },
        { ":http://a/", T(1), false, false },
        { std::string("http://a/\0b", 11), T(1), false, false },
        { "", T(1), false, false },
        { "http://a/" + std::string(LatestVisits::kLongestUrl - 9, 'x'), T(1), true, true },
        { "http://a/" + std::string(LatestVisits::kLongestUrl - 8, 'x'), T(1), true, false },
        { "http://a/", 0, true, false },
        { "http://a/", -1, true, false },
        { "http://a/", kNowUs + LatestVisits::kFutureSlackUs, true, true },
        { "http://a/", kNowUs + LatestVisits::kFutureSlackUs + 1, true, false },
    };
    for (const auto& c : cases) {
        LatestVisits latest(3, kNowUs, c.httpOnly);
        latest.Offer(c.url.data(), c.url.size(), c.time);
        EXPECT_EQ(c.kept ? 1u : 0u, latest.Visits().size()) << testing::PrintToString(c.url.substr(0, 40)) << " " << c.time;
    }
    LatestVisits two(2, kNowUs, true);
    EXPECT_TRUE(two.Offer("http://a/", 9, T(3)));
    EXPECT_TRUE(two.Offer("http://a/", 9, T(2))) << "an address seen again is passed over";
    EXPECT_FALSE(two.Offer("http://b/", 9, T(1))) << "full";
    EXPECT_FALSE(two.Offer("http://c/", 9, T(0)));
    EXPECT_EQ((Kept{ { "http://a/", T(3) }, { "http://b/", T(1) } }), two.Visits());

    // Open pages are passed over, and the next older ones take their places.
    LatestVisits skipping(2, kNowUs, true);
    skipping.Skip({ "http://a/", "http://c/" });
    for (auto [url, t] : std::vector<std::pair<std::string, int>>{ { "http://a/", 4 }, { "http://b/", 3 }, { "http://c/", 2 }, { "http://d/", 1 } })
        skipping.Offer(url.data(), url.size(), T(t));
    EXPECT_EQ((Kept{ { "http://b/", T(3) }, { "http://d/", T(1) } }), skipping.Visits());
}

// A page's title comes with its visit as the file holds it, bounded: none, not text, Japanese,
// and one longer than the bound (cut where a character starts), for both readers.
TEST(BrowserHistory, TitlesComeWithTheirVisits)
{
    std::string longTitle;
    while (longTitle.size() < 3 * LatestVisits::kLongestTitle)
        longTitle += "あ";  // three bytes each: 2048 falls inside one
    const struct { const char* url; std::string sql; std::string title; } pages[] = {
        { "http://none/", "NULL", "" },
        { "http://blob/", "x'414243'", "" },
        { "http://japanese/", "'日本語のページ'", "日本語のページ" },
        { "http://long/", "'" + longTitle + "'", longTitle.substr(0, LatestVisits::kLongestTitle / 3 * 3) },
    };
    for (bool firefox : { false, true }) {
        TempDir dir;
        const std::string file = dir.File(firefox ? "places.sqlite" : "History");
        {
            Db db(file);
            db.Exec(firefox ? kFirefoxSchema : kChromiumSchemas[0]);
            std::vector<Visit> visits;
            for (size_t i = 0; i < std::size(pages); ++i)
                visits.push_back({ pages[i].url, 0, T(static_cast<int>(10 - i)), firefox ? 1 : kLink | kChainEnd });
            firefox ? FillFirefox(db, visits) : FillChromium(db, visits);
            for (const auto& p : pages)
                db.Exec(std::string("UPDATE ") + (firefox ? "moz_places" : "urls") + " SET title = " + p.sql +
                        " WHERE url = " + Quoted(p.url));
        }
        LatestVisits latest(16, kNowUs, true);
        ASSERT_TRUE(firefox ? FirefoxHistory::Read(file, latest) : ChromiumHistory::Read(file, latest));
        ASSERT_EQ(std::size(pages), latest.Visits().size());
        for (size_t i = 0; i < std::size(pages); ++i)
            EXPECT_EQ(pages[i].title, latest.Visits()[i].title) << pages[i].url << (firefox ? " firefox" : " chromium");
    }
}

// Pages open now, kept and marked for a list: they take no place of the others, so the set
// still holds the latest pages that are not open; no more open ones than that are kept.
TEST(LatestVisits, OpenPagesMarked)
{
    const struct { const char* what; std::vector<std::string> open; std::vector<std::pair<std::string, bool>> kept; } cases[] = {
        { "none open", {}, { { "http://a/", false }, { "http://b/", false } } },
        { "the newest open", { "http://a/" }, { { "http://a/", true }, { "http://b/", false }, { "http://c/", false } } },
        { "more open than the count",
          { "http://a/", "http://b/", "http://c/" },
          { { "http://a/", true }, { "http://b/", true }, { "http://d/", false }, { "http://e/", false } } },
    };
    for (const auto& c : cases) {
        LatestVisits latest(2, kNowUs, true);
        latest.Mark(std::set<std::string>(c.open.begin(), c.open.end()));
        int t = 10;
        for (const char* url : { "http://a/", "http://b/", "http://c/", "http://d/", "http://e/", "http://f/" })
            if (!latest.Offer(url, std::strlen(url), T(t--)))
                break;
        std::vector<std::pair<std::string, bool>> got;
        for (const BrowserVisit& v : latest.Visits())
            got.emplace_back(v.url, v.openNow);
        EXPECT_EQ(c.kept, got) << c.what;
    }
    // A stop asked for from another thread ends the reading at the next page.
    std::atomic<bool> stop{ false };
    LatestVisits latest(5, kNowUs, true);
    latest.StopWhen(&stop);
    EXPECT_TRUE(latest.Offer("http://a/", 9, T(2)));
    stop = true;
    EXPECT_FALSE(latest.Offer("http://b/", 9, T(1)));
    EXPECT_EQ(1u, latest.Visits().size());
}

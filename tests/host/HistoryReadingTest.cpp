// Reading a browser's history as an attacker or a damaged disk leaves it: a journal that names
// a file of its own choosing, files made to hang or swamp the reader, rows that would displace
// the real pages, a browser committing while the reader reads; and the browser's files left
// exactly as they were.
#include "history/ChromiumHistory.h"
#include "history/FirefoxHistory.h"
#include "history/HistoryDatabase.h"
#include "history/HistoryFileState.h"
#include "history/HistoryReading.h"
#include "history/LatestVisits.h"
#include "HistoryFixtures.h"
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <chrono>
#include <csignal>
#include <fstream>
#include <map>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every file of a folder: its bytes and its modification time.
std::map<std::string, std::pair<std::string, int64_t>> FolderState(const std::string& folder)
{
    std::map<std::string, std::pair<std::string, int64_t>> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        struct stat st;
        stat(entry.path().c_str(), &st);
        files[entry.path().filename()] = { ReadAll(entry.path()),
                                           int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec };
    }
    return files;
}

// A super-journal record at the journal's end, as SQLite writes one: the name, its length and
// checksum (big endian), the journal's magic.
void AppendSuperJournal(const std::string& journal, const std::string& name)
{
    std::string record = name;
    uint32_t sum = 0;
    for (char c : name)
        sum += static_cast<uint32_t>(static_cast<int>(c));
    for (uint32_t v : { static_cast<uint32_t>(name.size()), sum })
        for (int shift = 24; shift >= 0; shift -= 8)
            record += static_cast<char>((v >> shift) & 0xFF);
    record += std::string("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8);
    std::ofstream(journal, std::ios::binary | std::ios::app) << record;
}

}

// A crafted History-journal names a super-journal: SQLite's own VFS would read that file and
// delete it when it rolls the journal back. Ours refuses the journal before SQLite sees it, and
// SQLite shown the journal through our VFS is refused the name: the file beside the profile
// stays, and a network name is never looked up.
TEST(HistoryReading, AJournalNamingASuperJournalTouchesNothingOutside)
{
    TempDir dir;
    const std::string victim = dir.File("victim.txt");
    const std::string names[] = { victim, "\\\\host\\share\\victim.txt" };
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        std::ofstream(victim, std::ios::binary | std::ios::trunc) << "precious";
        const std::string profile = dir.File("profile-" + std::to_string(&name - names));
        LeaveHotJournal(profile);
        AppendSuperJournal(profile + "/History-journal", name);
        ASSERT_TRUE(HistoryFileState::Of(profile + "/History").superJournalNamed);
        const auto before = FolderState(profile);

        std::atomic<int> copies{ 0 };
        LatestVisits latest(3, kNowUs, true);
        EXPECT_FALSE(ChromiumHistory::Read(profile + "/History", latest, TestCopy::Maker(&copies)));
        EXPECT_EQ(0, copies.load()) << "refused before anything was copied";
        EXPECT_EQ("precious", ReadAll(victim));
        EXPECT_EQ(before, FolderState(profile));

        // SQLite itself, shown a copy of the files, asks for the name and is refused.
        TestCopy copy(profile + "/History", "-journal");
        {
            HistoryDatabase db(copy.Utf8Path(), HistoryVfs::Mode::PrivateCopy, Clock::now() + std::chrono::seconds(2));
            ASSERT_TRUE(db.IsOpen());
            db.HasTable("urls", { "id" });
            EXPECT_NE(db.Vfs().Refused().end(), std::find(db.Vfs().Refused().begin(), db.Vfs().Refused().end(), name));
        }
        EXPECT_EQ("precious", ReadAll(victim));

        if (name == victim) {
            // The fixture: through SQLite's own VFS the same copy costs the victim its life.
            TestCopy again(profile + "/History", "-journal");
            Db plain(again.Utf8Path());
            sqlite3_exec(plain.Handle(), "SELECT count(*) FROM urls", nullptr, nullptr, nullptr);
            EXPECT_FALSE(fs::exists(victim)) << "the crafted journal did not work as an attack";
        }
    }
}

// Files made to hang or swamp the reader, and ordinary tables with lying statistics: each ends
// quickly, unreadable, or read by the fixed plan as the browser's own file would be.
TEST(HistoryReading, HostileFilesEndQuickly)
{
    const std::string kUrls = "CREATE TABLE urls(id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, "
                              "last_visit_time INTEGER NOT NULL DEFAULT 0, hidden INTEGER DEFAULT 0 NOT NULL);";
    const std::string kVisits = "CREATE TABLE visits(id INTEGER PRIMARY KEY, url INTEGER NOT NULL, visit_time INTEGER "
                                "NOT NULL, transition INTEGER DEFAULT 0 NOT NULL);";
    const std::string kIndexes = "CREATE INDEX visits_url_index ON visits (url); CREATE INDEX visits_time_index ON visits (visit_time);";
    const std::string kPages = "INSERT INTO urls(id, url) VALUES (1, 'http://a/'), (2, 'http://b/');"
                               "INSERT INTO visits(url, visit_time, transition) VALUES (1, " +
                               std::to_string(T(1) + kChromiumEpochUs) + ", 805306368), (2, " +
                               std::to_string(T(2) + kChromiumEpochUs) + ", 805306368);";
    const std::string kLyingStatistics =
        "ANALYZE; DELETE FROM sqlite_stat1; INSERT INTO sqlite_stat1 VALUES ('visits', 'visits_url_index', '1 1'), "
        "('visits', 'visits_time_index', '100000000 100000000'), ('urls', NULL, '1');";
    // `searched`: what the list's search of the whole history makes of it.
    const struct { const char* what; std::string sql; HistoryReadResult::Kind result, searched; } cases[] = {
        { "visits is a view over an endless recursive query",
          kUrls + "CREATE VIEW visits AS WITH RECURSIVE r(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM r) "
                  "SELECT i AS id, 1 AS url, i AS visit_time, 805306368 AS transition FROM r;"
                  "INSERT INTO urls(id, url) VALUES (1, 'http://a/');",
          HistoryReadResult::UnknownSchema, HistoryReadResult::UnknownSchema },
        { "urls is a view", kVisits + kIndexes + "CREATE TABLE u(id INTEGER PRIMARY KEY, url TEXT, hidden INTEGER);"
                                                 "CREATE VIEW urls AS SELECT * FROM u;", HistoryReadResult::UnknownSchema, HistoryReadResult::UnknownSchema },
        { "the address is a generated column of 200 MB",
          "CREATE TABLE urls(id INTEGER PRIMARY KEY, title TEXT, hidden INTEGER DEFAULT 0 NOT NULL, url TEXT "
          "GENERATED ALWAYS AS (printf('%.*c', 200000000, 'x')) VIRTUAL);" + kVisits + kIndexes +
              "INSERT INTO urls(id, title) VALUES (1, 't'); INSERT INTO visits(url, visit_time, transition) VALUES (1, " +
              std::to_string(T(1) + kChromiumEpochUs) + ", 805306368);",
          HistoryReadResult::UnknownSchema, HistoryReadResult::UnknownSchema },
        { "an address longer than any value is read",
          kUrls + kVisits + kIndexes + kPages + "UPDATE urls SET url = 'http://b/' || zeroblob(5000000) WHERE id = 2;",
          HistoryReadResult::Damaged, HistoryReadResult::Damaged },
        { "the visit-time index is missing, the statistics lie",
          kUrls + kVisits + "CREATE INDEX visits_url_index ON visits (url);" + kPages + kLyingStatistics, HistoryReadResult::UnknownSchema, HistoryReadResult::Read },
        { "the index of that name is on another column",
          kUrls + kVisits + "CREATE INDEX visits_time_index ON visits (url);" + kPages, HistoryReadResult::UnknownSchema, HistoryReadResult::UnknownSchema },
        { "urls.id is not the row id", "CREATE TABLE urls(id INT PRIMARY KEY, url TEXT, hidden INTEGER);" + kVisits +
                                           kIndexes + kPages, HistoryReadResult::UnknownSchema, HistoryReadResult::UnknownSchema },
        { "the statistics lie, the indexes are there: the plan is ours", kUrls + kVisits + kIndexes + kPages + kLyingStatistics,
          HistoryReadResult::Read, HistoryReadResult::Read },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        {
            Db db(dir.File("History"));
            db.Exec(c.sql);
        }
        LatestVisits latest(3, kNowUs, true);
        const auto start = Clock::now();
        EXPECT_EQ(c.result, ChromiumHistory::Read(dir.File("History"), latest, TestCopy::Maker()).kind());
        EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1500));
        if (c.result == HistoryReadResult::Read)
            EXPECT_EQ((Kept{ { "http://b/", T(2) }, { "http://a/", T(1) } }), latest.Visits());
        else
            EXPECT_TRUE(latest.Visits().empty());

        HistoryQuery query;
        query.words = SearchWords("HTTP");
        LatestVisits found(3, kNowUs, true);
        const auto searchStart = Clock::now();
        EXPECT_EQ(c.searched, ChromiumHistory::Search(dir.File("History"), query, found, TestCopy::Maker()).kind()) << "searched";
        EXPECT_LT(Clock::now() - searchStart, std::chrono::milliseconds(1500));
        if (c.searched == HistoryReadResult::Read)
            EXPECT_EQ((Kept{ { "http://b/", T(2) }, { "http://a/", T(1) } }), found.Visits()) << "searched";
        else
            EXPECT_TRUE(found.Visits().empty());
    }
}

// A reading that takes longer than its deadline is ended by it, wherever SQLite is.
TEST(HistoryReading, TheDeadlineEndsALongRead)
{
    TempDir dir;
    {
        Db db(dir.File("History"));
        db.Exec(kChromiumSchemas[0]);
        // 300,000 visits inside frames: none counts, so the reader walks them all.
        db.Exec("INSERT INTO urls(id, url, last_visit_time) VALUES (1, 'http://frame/', 0);"
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300000) "
                "INSERT INTO visits(url, visit_time, transition) SELECT 1, " +
                std::to_string(T(0) + kChromiumEpochUs) + " + i, 805306371 FROM n;");
    }
    LatestVisits latest(3, kNowUs, true);
    const auto start = Clock::now();
    EXPECT_EQ(HistoryReadResult::TooSlow,
              ChromiumHistory::Read(dir.File("History"), latest, TestCopy::Maker(), std::chrono::milliseconds(5)).kind());
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));
    LatestVisits unhurried(3, kNowUs, true);
    EXPECT_TRUE(ChromiumHistory::Read(dir.File("History"), unhurried, TestCopy::Maker(), std::chrono::seconds(30)))
        << "the fixture: given time, the same file reads (and shows no page)";
}

// Rows that could never open take no place: times stored as text (which sort above every
// number), times in the future, a transition that is no number, addresses that run a script or carry their own
// content, addresses that are no text. The newest real pages fill the count.
TEST(HistoryReading, BogusRowsNeverDisplaceRealPages)
{
    TempDir dir;
    {
        Db db(dir.File("History"));
        db.Exec(kChromiumSchemas[1]);
        FillChromium(db, { { "http://a/", 0, T(1), kLink | kChainEnd }, { "http://b/", 0, T(2), kLink | kChainEnd },
                           { "http://c/", 0, T(3), kLink | kChainEnd }, { "http://d/", 0, T(4), kLink | kChainEnd },
                           { "javascript:alert(1)", 0, T(10), kLink | kChainEnd },
                           { "data:text/html,<b>x</b>", 0, T(11), kLink | kChainEnd },
                           { "VBScript:msgbox(1)", 0, T(12), kLink | kChainEnd } },
                     1);
        db.Exec("INSERT INTO urls(id, url, last_visit_time) VALUES (50, 'http://text-time/', 0), (52, 'http://future/', 0), (53, NULL, 0), (54, x'687474703a2f2f626c6f622f', 0);"
                "INSERT INTO visits(url, visit_time, transition) VALUES (50, 'zzz', 805306368), (50, '', 805306368), "
                "(52, " + std::to_string(kNowUs + 2 * LatestVisits::kFutureSlackUs + kChromiumEpochUs) + ", 805306368), "
                "(53, " + std::to_string(T(21) + kChromiumEpochUs) + ", 805306368), "
                "(54, " + std::to_string(T(22) + kChromiumEpochUs) + ", 805306368), "
                "(1, " + std::to_string(T(23) + kChromiumEpochUs) + ", 'a transition');");
    }
    for (bool httpOnly : { true, false }) {
        LatestVisits latest(3, kNowUs, httpOnly);
        ASSERT_TRUE(ChromiumHistory::Read(dir.File("History"), latest));
        EXPECT_EQ((Kept{ { "http://d/", T(4) }, { "http://c/", T(3) }, { "http://b/", T(2) } }), latest.Visits())
            << "httpOnly " << httpOnly;
    }
}

// A browser commits in a loop (a process of its own, as the browser is) while the reader reads
// a thousand times: every result is one committed state, read in place or from a copy, never
// pages of two generations or a generation cut short.
TEST(HistoryReading, AWriterCommittingMeanwhileNeverGivesAMixedState)
{
    const struct { const char* what; bool wal; } cases[] = { { "Chromium, rollback journal", false },
                                                             { "Firefox, write-ahead log", true } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string file = dir.File(c.wal ? "places.sqlite" : "History");
        const std::string setup = c.wal ? "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=50;"
                                        : "PRAGMA journal_mode=TRUNCATE; PRAGMA locking_mode=EXCLUSIVE;";
        // Each commit replaces the whole history with one generation: five pages a person saw,
        // then 500 newer visits inside frames that the reader walks past (so that a read
        // spans many pages of the file). Every committed state holds exactly one generation.
        auto generation = [&](Db& db, int g) {
            db.Exec("BEGIN");
            db.Exec(c.wal ? "DELETE FROM moz_historyvisits; DELETE FROM moz_places;" : "DELETE FROM visits; DELETE FROM urls;");
            std::vector<Visit> pages;
            for (int i = 0; i < 505; ++i)
                pages.push_back({ "http://g" + std::to_string(g) + "/" + std::to_string(i), 0, T(0) + int64_t(g) * 1000 + i,
                                  c.wal ? (i < 5 ? 1 : 8) : (i < 5 ? kLink | kChainEnd : kSubframe | kChainEnd) });
            if (c.wal)
                FillFirefox(db, pages);
            else
                FillChromium(db, pages);
            db.Exec("COMMIT");
        };
        {
            Db db(file);
            db.Exec(setup);
            db.Exec(c.wal ? kFirefoxSchema : kChromiumSchemas[0]);
            generation(db, 0);
        }
        const pid_t writer = fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            Db db(file);
            db.Exec(setup);
            for (int g = 1; g < 100000; ++g) {
                generation(db, g);
                usleep(10000);  // a browser far busier than any: 100 commits a second
            }
            _exit(0);
        }
        int read = 0, torn = 0;
        std::atomic<int> copies{ 0 };
        std::set<std::string> generations;
        for (int i = 0; i < 1000; ++i) {
            LatestVisits latest(5, kNowUs, true);
            const bool ok = !!(c.wal ? FirefoxHistory::Read(file, latest, TestCopy::Maker(&copies))
                                  : ChromiumHistory::Read(file, latest, TestCopy::Maker(&copies)));
            if (!ok)
                continue;
            ++read;
            std::set<std::string> prefixes, pages;
            for (const BrowserVisit& v : latest.Visits()) {
                prefixes.insert(v.url.substr(0, v.url.rfind('/')));
                pages.insert(v.url.substr(v.url.rfind('/') + 1));
            }
            if (prefixes.size() != 1 || pages != std::set<std::string>{ "0", "1", "2", "3", "4" })
                ++torn;
            generations.insert(*prefixes.begin());
        }
        kill(writer, SIGKILL);
        waitpid(writer, nullptr, 0);
        EXPECT_EQ(0, torn) << "of " << read << " results read";
        EXPECT_GT(read, 900) << "results read of 1000 (" << copies.load() << " copies made)";
        EXPECT_GT(generations.size(), 20u) << "the writer wrote meanwhile";
        std::cout << c.what << ": " << read << " read, " << copies.load() << " copies, " << generations.size()
                  << " generations seen\n";
    }
}

// Reading leaves every file of the profile as it was, bytes and times, and adds none (no
// "-shm", no journal, no temporary file): a plain file, one with a hot journal (read from a
// copy), a WAL database with its log, and one whose log the browser removed at exit.
TEST(HistoryReading, TheBrowsersFilesKeepTheirBytesAndTimes)
{
    const struct { const char* what; const char* file; bool firefox; } cases[] = {
        { "Chromium", "History", false },
        { "Chromium with a hot journal", "History", false },
        { "Firefox with its write-ahead log", "places.sqlite", true },
        { "Firefox after exit, no log", "places.sqlite", true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string profile = dir.File("profile");
        const std::string file = profile + "/" + c.file;
        std::unique_ptr<Db> browser;
        if (std::string(c.what) == "Chromium with a hot journal") {
            LeaveHotJournal(profile);
        } else {
            fs::create_directories(profile);
            browser.reset(new Db(file));
            if (c.firefox) {
                browser->Exec("PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;");
                browser->Exec(kFirefoxSchema);
                FillFirefox(*browser, { { "http://committed/", 0, T(1), 1 } });
            } else {
                browser->Exec(kChromiumSchemas[0]);
                FillChromium(*browser, { { "http://committed/", 0, T(1), kLink | kChainEnd } });
            }
            if (std::string(c.what) == "Firefox after exit, no log")
                browser.reset();  // the last connection folds the log in and removes it
        }
        const auto before = FolderState(profile);
        LatestVisits latest(3, kNowUs, true);
        ASSERT_TRUE(c.firefox ? FirefoxHistory::Read(file, latest, TestCopy::Maker())
                              : ChromiumHistory::Read(file, latest, TestCopy::Maker()));
        EXPECT_EQ((Kept{ { "http://committed/", T(1) } }), latest.Visits());
        EXPECT_EQ(before, FolderState(profile));
        if (std::string(c.what) == "Firefox after exit, no log") {
            EXPECT_EQ(1u, before.size()) << "the fixture: the database alone";
        }
    }
}

namespace {
// A Chromium history's visits, read as the reader reads them, into `into`.
bool ReadChromiumVisits(HistoryDatabase& db, LatestVisits& into)
{
    return db.ReadRows(ChromiumHistory::VisitsQuery(), "SELECT url, hidden, title FROM urls WHERE id = ?1", 1, INT64_MAX,
                       [&](const HistoryDatabase::Visit& v) {
                           return into.Offer(v.url, v.urlBytes, ChromiumHistory::ToUnixMicros(v.time));
                       });
}
}

// The browser commits while the reader is in the middle of the file: the state after the read
// is not the one before, so what was read in place is dropped and a private copy, made after
// the commit, gives the result.
TEST(HistoryReading, ACommitDuringTheReadSendsTheReaderToACopy)
{
    TempDir dir;
    const std::string file = dir.File("History");
    Db browser(file);
    browser.Exec(kChromiumSchemas[0]);
    FillChromium(browser, { { "http://before/", 0, T(1), kLink | kChainEnd } });
    int reads = 0;
    std::atomic<int> copies{ 0 };
    LatestVisits latest(3, kNowUs, true);
    ASSERT_TRUE(HistoryReading::Read(file, "-journal", TestCopy::Maker(&copies), latest,
                                     [&](HistoryDatabase& db, LatestVisits& into) {
                                         const bool ok = ReadChromiumVisits(db, into);
                                         if (++reads == 1)
                                             FillChromium(browser, { { "http://after/", 0, T(2), kLink | kChainEnd } }, 2);
                                         return ok;
                                     }));
    EXPECT_EQ(1, copies.load());
    EXPECT_EQ((Kept{ { "http://after/", T(2) }, { "http://before/", T(1) } }), latest.Visits());
}

// A copy made while the browser wrote is not read: the browser commits once during the read in
// place (so a copy is made) and once more while that copy is being made, so the first copy may
// hold half of it; the reader makes another, and its result holds both commits.
TEST(HistoryReading, ACopyMadeWhileTheBrowserWroteIsNotRead)
{
    TempDir dir;
    const std::string file = dir.File("History");
    Db browser(file);
    browser.Exec(kChromiumSchemas[0]);
    FillChromium(browser, { { "http://before/", 0, T(1), kLink | kChainEnd } });
    int reads = 0, made = 0;
    std::atomic<int> copies{ 0 };
    const PrivateCopyMaker copying = TestCopy::Maker(&copies);
    const PrivateCopyMaker racing = [&](const std::string& from, const char* side) {
        std::unique_ptr<PrivateCopy> copy = copying(from, side);
        if (++made == 1)
            FillChromium(browser, { { "http://during-the-copy/", 0, T(3), kLink | kChainEnd } }, 3);
        return copy;
    };
    LatestVisits latest(3, kNowUs, true);
    ASSERT_TRUE(HistoryReading::Read(file, "-journal", racing, latest, [&](HistoryDatabase& db, LatestVisits& into) {
        const bool ok = ReadChromiumVisits(db, into);
        if (++reads == 1)
            FillChromium(browser, { { "http://after/", 0, T(2), kLink | kChainEnd } }, 2);
        return ok;
    }));
    EXPECT_EQ(2, copies.load()) << "the first copy was dropped";
    EXPECT_EQ((Kept{ { "http://during-the-copy/", T(3) }, { "http://after/", T(2) }, { "http://before/", T(1) } }),
              latest.Visits());
}

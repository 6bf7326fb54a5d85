// Histories as the native tests build them: a temporary folder, a database in it, visits
// filled in each browser's schema, and a private copy made the way the program makes one.
#pragma once
#include "history/BrowserVisit.h"
#include "history/PrivateCopy.h"
#include "../common/BrowserSchemas.h"
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

const int64_t kNowUs = 1765000000LL * 1000000;  // the readers' clock in these tests
const int64_t kChromiumEpochUs = 11644473600LL * 1000000;

// Chromium's transition values as the browser stores them (signed 32-bit).
constexpr int64_t kLink = 0, kTyped = 1, kSubframe = 3, kManualSubframe = 4, kKeywordGenerated = 10,
                  kReload = 8;
constexpr int64_t kChainStart = 0x10000000, kChainEnd = 0x20000000, kServerRedirect = 0x80000000;
inline int64_t Stored(int64_t transition) { return static_cast<int32_t>(static_cast<uint32_t>(transition)); }

class TempDir {
public:
    TempDir()
    {
        char name[] = "/tmp/bt-history-XXXXXX";
        m_path = mkdtemp(name);
    }
    ~TempDir() { std::system(("rm -rf '" + m_path + "'").c_str()); }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

class Db {
public:
    explicit Db(const std::string& path) { EXPECT_EQ(SQLITE_OK, sqlite3_open(path.c_str(), &m_db)); }
    ~Db() { sqlite3_close(m_db); }
    void Exec(const std::string& sql)
    {
        char* error = nullptr;
        EXPECT_EQ(SQLITE_OK, sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error)) << (error ? error : "") << sql;
        sqlite3_free(error);
    }
    sqlite3* Handle() { return m_db; }

private:
    sqlite3* m_db = nullptr;
};

struct Visit {
    std::string url;
    int hidden;
    int64_t timeUs;   // since 1970
    int64_t type;     // Chromium: transition; Firefox: visit_type
};

inline std::string Quoted(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("''") : std::string(1, c);
    return q + "'";
}

// One place per address (its hidden flag from the first visit naming it), one row per visit.
inline void FillChromium(Db& db, const std::vector<Visit>& visits, size_t firstId = 1)
{
    std::vector<std::string> urls;
    for (const Visit& v : visits) {
        size_t id = std::find(urls.begin(), urls.end(), v.url) - urls.begin();
        if (id == urls.size()) {
            urls.push_back(v.url);
            db.Exec("INSERT INTO urls(id, url, title, last_visit_time, hidden) VALUES (" + std::to_string(id + firstId) + ", " +
                    Quoted(v.url) + ", 't', 0, " + std::to_string(v.hidden) + ")");
        }
        db.Exec("INSERT INTO visits(url, visit_time, transition) VALUES (" + std::to_string(id + firstId) + ", " +
                std::to_string(v.timeUs + kChromiumEpochUs) + ", " + std::to_string(Stored(v.type)) + ")");
    }
    // As the browser keeps it: the page's latest visit of any kind.
    db.Exec("UPDATE urls SET last_visit_time = (SELECT MAX(visit_time) FROM visits WHERE visits.url = urls.id) "
            "WHERE id >= " + std::to_string(firstId));
}

inline void FillFirefox(Db& db, const std::vector<Visit>& visits)
{
    std::vector<std::string> urls;
    for (const Visit& v : visits) {
        size_t id = std::find(urls.begin(), urls.end(), v.url) - urls.begin();
        if (id == urls.size()) {
            urls.push_back(v.url);
            db.Exec("INSERT INTO moz_places(id, url, hidden, last_visit_date) VALUES (" + std::to_string(id + 1) + ", " +
                    Quoted(v.url) + ", " + std::to_string(v.hidden) + ", " + std::to_string(v.timeUs) + ")");
        }
        db.Exec("INSERT INTO moz_historyvisits(place_id, visit_date, visit_type) VALUES (" + std::to_string(id + 1) +
                ", " + std::to_string(v.timeUs) + ", " + std::to_string(v.type) + ")");
    }
    db.Exec("UPDATE moz_places SET last_visit_date = (SELECT MAX(visit_date) FROM moz_historyvisits "
            "WHERE place_id = moz_places.id)");
}

inline int64_t T(int seconds) { return kNowUs - 1000000LL * 1000 + seconds * 1000000LL; }

using Kept = std::vector<BrowserVisit>;

// `folder`/History with one committed page, and beside it the journal of a transaction the
// browser never finished (as a crash leaves it): a hot journal.
inline void LeaveHotJournal(const std::string& folder)
{
    TempDir work;
    {
        Db browser(work.File("History"));
        browser.Exec(kChromiumSchemas[0]);
        FillChromium(browser, { { "http://committed/", 0, T(1), kLink | kChainEnd } });
        browser.Exec("PRAGMA cache_size=1; BEGIN");
        std::vector<Visit> pending;
        for (int i = 0; i < 300; ++i)
            pending.push_back({ "http://pending/" + std::to_string(i) + std::string(300, 'q'), 0, T(100 + i), kLink | kChainEnd });
        FillChromium(browser, pending, 1000);  // spills into the file before it is committed
        std::filesystem::create_directories(folder);
        std::filesystem::copy_file(work.File("History"), folder + "/History");
        std::filesystem::copy_file(work.File("History-journal"), folder + "/History-journal");
        browser.Exec("ROLLBACK");
    }
}

// A private copy in a folder of its own, the side file beside it, removed with the object.
class TestCopy : public PrivateCopy {
public:
    TestCopy(const std::string& file, const char* sideSuffix)
    {
        namespace fs = std::filesystem;
        const std::string name = fs::path(file).filename();
        m_copy = m_dir.File(name);
        std::error_code error;
        m_ready = fs::copy_file(file, m_copy, error);
        if (m_ready && fs::exists(file + sideSuffix))
            fs::copy_file(file + sideSuffix, m_copy + sideSuffix, error);
    }
    bool IsReady() const override { return m_ready; }
    std::string Utf8Path() const override { return m_copy; }

    // Makes copies and counts them.
    static PrivateCopyMaker Maker(std::atomic<int>* made = nullptr)
    {
        return [made](const std::string& file, const char* side) -> std::unique_ptr<PrivateCopy> {
            if (made)
                ++*made;
            return std::unique_ptr<PrivateCopy>(new TestCopy(file, side));
        };
    }

private:
    TempDir m_dir;
    std::string m_copy;
    bool m_ready = false;
};

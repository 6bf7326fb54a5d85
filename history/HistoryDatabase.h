// A browser's history file, as SQLite reads it: through HistoryVfs only (in place, or a private
// copy), with every read bounded. A file is written by web pages and may be made by an
// attacker, so before any query the tables and columns a reader uses are checked to be plain
// tables and stored columns, and the queries' plans to be the fixed ones (the visit-time index
// walked from the newest visit, each page looked up by its row id, nothing sorted), whatever
// statistics the file carries: the walk and the lookups are two statements, since a join's
// order and method follow the statistics. A text or blob longer than kLongestValue, or a read
// past the deadline, ends the reading with an error; views, triggers and functions of the
// schema are not run. Any SQLite error makes the whole reading fail.
#pragma once
#include "HistoryVfs.h"
#include "QueryWatchdog.h"
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

class HistoryDatabase {
public:
    HistoryDatabase(const std::string& utf8Path, HistoryVfs::Mode mode, QueryWatchdog::Clock::time_point deadline);
    ~HistoryDatabase();
    HistoryDatabase(const HistoryDatabase&) = delete;
    HistoryDatabase& operator=(const HistoryDatabase&) = delete;

    bool IsOpen() const { return m_db != nullptr; }

    // Whether `table` is an ordinary table (not a view, not a virtual table) and each of
    // `columns` one of its stored columns (not generated).
    bool HasTable(const char* table, std::initializer_list<const char*> columns);
    // Whether SQLite runs the walk `sql` as one search of `index` (nothing sorted; "PRIMARY
    // KEY": of a table without row ids), or, with no index named, the lookup `sql` as one search by row id. Whatever statistics the file
    // carries, the reading then costs what the count asks for.
    bool HasFixedPlan(const char* sql, const char* index);

    // One visit: its time, its visit type, its page's address, hidden flag and title (null
    // when the page has none, or not as text).
    struct Visit {
        int64_t time;
        int64_t type;
        const char* url;
        size_t urlBytes;
        int64_t hidden;
        const char* title;
        size_t titleBytes;
    };
    using Row = std::function<bool(const Visit& visit)>;
    // Walks `visits` (time, type, page id; ?1 and ?2 bound to `from` and `to`), looks each page
    // up with `page` (address, hidden flag, title; ?1 the page id) and hands each visit on until
    // `row` returns false. A visit whose time, type or page id is not an integer, whose page is
    // missing, whose address is not text or whose flag is not an integer is passed over (it
    // takes no place of a real one). False when a query cannot run or fails part way (a
    // damaged file, the deadline).
    bool ReadRows(const char* visits, const char* page, int64_t from, int64_t to, const Row& row);

    // Whether SQLite runs `sql` as one pass over `table` (its rows, or one covering index).
    bool HasScanPlan(const char* sql, const char* table);

    // One page of the pages table: its row id, address, title (null when it has none, or not
    // as text) and last visit time (0 when it has none).
    struct Page {
        int64_t id;
        const char* url;
        size_t urlBytes;
        const char* title;
        size_t titleBytes;
        int64_t lastVisit;
    };
    using PageRow = std::function<bool(const Page& page)>;
    // Walks the pages that `pages` gives (row id, address, title, last visit) and hands each on
    // until `row` returns false. A page whose address is not text is passed over. False when
    // the query cannot run or fails part way.
    bool ScanPages(const char* pages, const PageRow& row);
    // The latest time among the visits of page `id` that `visits` gives (time, type; ?1 the
    // page, ?2 and ?3 the range) and that `seen` takes by their type; 0 when none. False when
    // the query cannot run or fails.
    bool LatestVisit(const char* visits, int64_t id, int64_t from, int64_t to,
                     const std::function<bool(int64_t type)>& seen, int64_t* time);
    // The address and title of page `id` by `page` (address, hidden flag, title; ?1 the id);
    // `*found` false for a page that is missing, hidden, or whose address is not text.
    bool PageOf(const char* page, int64_t id, std::string* url, std::string* title, bool* found);

    // A value bound to a lookup, and one of its result.
    struct Bound {
        Bound(int64_t i) : integer(i) {}
        Bound(std::string_view t) : isText(true), text(t) {}
        Bound(const std::string& t) : isText(true), text(t) {}
        bool isText = false;
        int64_t integer = 0;
        std::string_view text;
    };
    struct Value {
        bool isInteger, isText, isBytes;  // an integer; text; text or a blob
        int64_t integer;
        std::string_view bytes;
    };
    using ValueRow = std::function<bool(const Value* columns, int count)>;
    // Runs `sql` (prepared once) with `bound` as ?1, ?2, ... and hands each row on until `row`
    // returns false. False when it cannot run or fails part way.
    bool Lookup(const char* sql, std::initializer_list<Bound> bound, const ValueRow& row);

    // The primary result code of the last failure (SQLITE_OK when none).
    int LastError() const { return m_lastError; }
    bool TimedOut() const { return m_watchdog && m_watchdog->Fired(); }
    const HistoryVfs& Vfs() const { return *m_vfs; }

    static constexpr int kLongestValue = 4 << 20;

private:
    bool Fail(int rc);
    // Whether SQLite's plan for `sql` is one step, and `fits` takes it.
    bool HasOnePlanStep(const char* sql, const std::function<bool(const std::string& step)>& fits);
    // `sql` prepared once for this connection (the statements are the callers' constants).
    sqlite3_stmt* Prepared(const char* sql);

    std::unique_ptr<HistoryVfs> m_vfs;
    sqlite3* m_db = nullptr;
    std::unique_ptr<QueryWatchdog> m_watchdog;
    std::map<const char*, sqlite3_stmt*> m_prepared;
    int m_lastError = 0;
};

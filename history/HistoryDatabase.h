// A browser's history file, as SQLite reads it: through HistoryVfs only (in place, or a private
// copy), with every read bounded. A file is written by web pages and may be made by an
// attacker, so before any query the tables and columns a reader uses are checked to be plain
// tables and stored columns, and the query's plan to be the fixed one (the visit-time index
// walked from the newest visit, the address looked up by its row id, nothing sorted),
// whatever statistics the file carries. A text or blob longer than kLongestValue, or a read
// past the deadline, ends the reading with an error; views, triggers and functions of the
// schema are not run. Any SQLite error makes the whole reading fail.
#pragma once
#include "HistoryVfs.h"
#include "QueryWatchdog.h"
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

struct sqlite3;

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
    // Whether SQLite would run `sql` walking `index` with the other table looked up by its row
    // id, sorting nothing.
    bool HasFixedPlan(const char* sql, const char* index);

    // One row of a visits query: time, visit type, address, hidden flag.
    using Row = std::function<bool(int64_t time, int64_t type, const char* url, size_t urlBytes, int64_t hidden)>;
    // Runs a query of four such columns with ?1 and ?2 bound to `from` and `to`, and hands each
    // row on until `row` returns false. A row whose time, type or flag is not an integer, or
    // whose address is not text, is passed over (it takes no place of a real one). False when
    // the query cannot run or fails part way (a damaged file, the deadline).
    bool ReadRows(const char* sql, int64_t from, int64_t to, const Row& row);

    // The primary result code of the last failure (SQLITE_OK when none).
    int LastError() const { return m_lastError; }
    bool TimedOut() const { return m_watchdog && m_watchdog->Fired(); }
    const HistoryVfs& Vfs() const { return *m_vfs; }

    static constexpr int kLongestValue = 4 << 20;

private:
    bool Fail(int rc);

    std::unique_ptr<HistoryVfs> m_vfs;
    sqlite3* m_db = nullptr;
    std::unique_ptr<QueryWatchdog> m_watchdog;
    int m_lastError = 0;
};

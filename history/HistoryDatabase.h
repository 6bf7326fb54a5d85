// A browser's history file, as SQLite reads it. The file is a private copy: it is opened for
// writing so that SQLite can recover it (roll back a hot journal, read a write-ahead log), and
// it is never created. Any SQLite error makes the whole reading fail.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

struct sqlite3;

class HistoryDatabase {
public:
    explicit HistoryDatabase(const std::string& utf8Path);
    ~HistoryDatabase();
    HistoryDatabase(const HistoryDatabase&) = delete;
    HistoryDatabase& operator=(const HistoryDatabase&) = delete;

    bool IsOpen() const { return m_db != nullptr; }

    // One row of a visits query: time, visit type, address (may be null), hidden flag.
    using Row = std::function<bool(int64_t time, int64_t type, const char* url, size_t urlBytes, int64_t hidden)>;
    // Runs a query of four such columns and hands each row on until `row` returns false.
    // False when the query cannot run or fails part way (a missing column, a damaged file).
    bool ReadRows(const char* sql, const Row& row);

private:
    sqlite3* m_db = nullptr;
};

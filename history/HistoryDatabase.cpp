#include "HistoryDatabase.h"
#include <sqlite3.h>

HistoryDatabase::HistoryDatabase(const std::string& utf8Path)
{
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(utf8Path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK)
        m_db = db;
    else
        sqlite3_close(db);
}

HistoryDatabase::~HistoryDatabase() { sqlite3_close(m_db); }

bool HistoryDatabase::ReadRows(const char* sql, const Row& row)
{
    if (!m_db)
        return false;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr) != SQLITE_OK || !stmt) {
        sqlite3_finalize(stmt);
        return false;
    }
    bool ok = true;
    for (;;) {
        int rc = sqlite3_step(stmt);
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW) {
            ok = false;
            break;
        }
        const char* url = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 2));
        size_t bytes = static_cast<size_t>(sqlite3_column_bytes(stmt, 2));
        if (!row(sqlite3_column_int64(stmt, 0), sqlite3_column_int64(stmt, 1), url, bytes,
                 sqlite3_column_int64(stmt, 3)))
            break;
    }
    sqlite3_finalize(stmt);
    return ok;
}

#include "HistoryDatabase.h"
#include <sqlite3.h>
#include <algorithm>
#include <cstring>

namespace {
// A prepared statement that finalises itself.
class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) { sqlite3_prepare_v2(db, sql.c_str(), -1, &m_stmt, nullptr); }
    ~Statement() { sqlite3_finalize(m_stmt); }
    sqlite3_stmt* Get() const { return m_stmt; }
    std::string Text(int column) const
    {
        const unsigned char* t = sqlite3_column_text(m_stmt, column);
        return t ? std::string(reinterpret_cast<const char*>(t)) : std::string();
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
};

bool IsPlainName(const char* name)
{
    for (const char* c = name; *c; ++c)
        if (!((*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9') || *c == '_'))
            return false;
    return *name != '\0';
}
}

HistoryDatabase::HistoryDatabase(const std::string& utf8Path, HistoryVfs::Mode mode,
                                 QueryWatchdog::Clock::time_point deadline)
    : m_vfs(new HistoryVfs(utf8Path, mode))
{
    const int flags = (mode == HistoryVfs::Mode::InPlace ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) |
                      SQLITE_OPEN_PRIVATECACHE | SQLITE_OPEN_EXRESCODE;
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(utf8Path.c_str(), &db, flags, m_vfs->Name());
    if (rc != SQLITE_OK) {
        sqlite3_close(db);
        Fail(rc);
        return;
    }
    m_db = db;
    m_watchdog.reset(new QueryWatchdog(m_db, deadline));
    sqlite3_limit(m_db, SQLITE_LIMIT_LENGTH, kLongestValue);
    sqlite3_limit(m_db, SQLITE_LIMIT_SQL_LENGTH, 1 << 20);
    sqlite3_limit(m_db, SQLITE_LIMIT_ATTACHED, 0);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    // Exclusive locking mode lets a VFS without shared memory read a WAL database (the index
    // in heap memory); nothing is sorted or kept on disk for us.
    rc = sqlite3_exec(m_db, "PRAGMA locking_mode=EXCLUSIVE; PRAGMA temp_store=MEMORY; PRAGMA query_only=1;", nullptr,
                      nullptr, nullptr);
    if (rc != SQLITE_OK) {
        Fail(rc);
        m_watchdog.reset();
        sqlite3_close(m_db);
        m_db = nullptr;
    }
}

HistoryDatabase::~HistoryDatabase()
{
    for (auto& prepared : m_prepared)
        sqlite3_finalize(prepared.second);
    m_watchdog.reset();
    sqlite3_close(m_db);
}

bool HistoryDatabase::Fail(int rc)
{
    m_lastError = rc == SQLITE_OK ? SQLITE_ERROR : (rc & 0xFF);
    return false;
}

bool HistoryDatabase::HasTable(const char* table, std::initializer_list<const char*> columns)
{
    if (!m_db || !IsPlainName(table))
        return Fail(SQLITE_ERROR);
    {
        Statement kind(m_db, "SELECT type, sql FROM sqlite_schema WHERE name = ?1 COLLATE NOCASE");
        if (!kind.Get())
            return Fail(sqlite3_errcode(m_db));
        sqlite3_bind_text(kind.Get(), 1, table, -1, SQLITE_STATIC);
        int rc = sqlite3_step(kind.Get());
        if (rc != SQLITE_ROW)
            return Fail(rc == SQLITE_DONE ? SQLITE_ERROR : rc);
        if (kind.Text(0) != "table" || sqlite3_strnicmp(kind.Text(1).c_str(), "CREATE VIRTUAL", 14) == 0)
            return Fail(SQLITE_ERROR);
    }
    // table_xinfo's "hidden": 0 for a stored column, 2 or 3 for a generated one.
    Statement info(m_db, std::string("PRAGMA table_xinfo(\"") + table + "\")");
    if (!info.Get())
        return Fail(sqlite3_errcode(m_db));
    size_t found = 0;
    int rc;
    while ((rc = sqlite3_step(info.Get())) == SQLITE_ROW) {
        const std::string name = info.Text(1);
        for (const char* column : columns)
            if (sqlite3_stricmp(name.c_str(), column) == 0 && sqlite3_column_int(info.Get(), 6) == 0)
                ++found;
    }
    if (rc != SQLITE_DONE)
        return Fail(rc);
    return found == columns.size() || Fail(SQLITE_ERROR);
}

bool HistoryDatabase::HasFixedPlan(const char* sql, const char* index)
{
    // A table without row ids is searched by its primary key.
    const std::string wanted = !index                               ? " USING INTEGER PRIMARY KEY (rowid=?)"
                               : std::string(index) == "PRIMARY KEY" ? " USING PRIMARY KEY ("
                                                                     : std::string(" USING INDEX ") + index + " (";
    return HasOnePlanStep(sql, [&](const std::string& step) {
        return step.compare(0, 7, "SEARCH ") == 0 && step.find(wanted) != std::string::npos;
    });
}

bool HistoryDatabase::HasOnePlanStep(const char* sql, const std::function<bool(const std::string& step)>& fits)
{
    if (!m_db)
        return Fail(SQLITE_ERROR);
    Statement plan(m_db, std::string("EXPLAIN QUERY PLAN ") + sql);
    if (!plan.Get())
        return Fail(sqlite3_errcode(m_db));
    int steps = 0, fitting = 0;
    int rc;
    while ((rc = sqlite3_step(plan.Get())) == SQLITE_ROW) {
        ++steps;
        if (fits(plan.Text(3)))
            ++fitting;
    }
    if (rc != SQLITE_DONE)
        return Fail(rc);
    return (steps == 1 && fitting == 1) || Fail(SQLITE_ERROR);
}

bool HistoryDatabase::ReadRows(const char* visits, const char* page, int64_t from, int64_t to, const Row& row)
{
    if (!m_db)
        return Fail(SQLITE_CANTOPEN);
    Statement walk(m_db, visits), lookup(m_db, page);
    if (!walk.Get() || !lookup.Get())
        return Fail(sqlite3_errcode(m_db));
    sqlite3_stmt* v = walk.Get();
    sqlite3_stmt* p = lookup.Get();
    sqlite3_bind_int64(v, 1, from);
    sqlite3_bind_int64(v, 2, to);
    for (;;) {
        int rc = sqlite3_step(v);
        if (rc == SQLITE_DONE)
            return true;
        if (rc != SQLITE_ROW)
            return Fail(rc);
        if (sqlite3_column_type(v, 0) != SQLITE_INTEGER || sqlite3_column_type(v, 1) != SQLITE_INTEGER ||
            sqlite3_column_type(v, 2) != SQLITE_INTEGER)
            continue;
        sqlite3_reset(p);
        sqlite3_bind_int64(p, 1, sqlite3_column_int64(v, 2));
        rc = sqlite3_step(p);
        if (rc == SQLITE_DONE)
            continue;  // a visit of no page
        if (rc != SQLITE_ROW)
            return Fail(rc);
        if (sqlite3_column_type(p, 0) != SQLITE_TEXT || sqlite3_column_type(p, 1) != SQLITE_INTEGER)
            continue;
        Visit visit{ sqlite3_column_int64(v, 0), sqlite3_column_int64(v, 1), nullptr, 0, sqlite3_column_int64(p, 1),
                     nullptr, 0 };
        visit.url = reinterpret_cast<const char*>(sqlite3_column_text(p, 0));
        visit.urlBytes = static_cast<size_t>(sqlite3_column_bytes(p, 0));
        if (sqlite3_column_type(p, 2) == SQLITE_TEXT) {
            visit.title = reinterpret_cast<const char*>(sqlite3_column_text(p, 2));
            visit.titleBytes = static_cast<size_t>(sqlite3_column_bytes(p, 2));
        }
        if (!row(visit))
            return true;
    }
}

sqlite3_stmt* HistoryDatabase::Prepared(const char* sql)
{
    if (!m_db)
        return nullptr;
    auto it = m_prepared.find(sql);
    if (it != m_prepared.end()) {
        sqlite3_reset(it->second);
        return it->second;
    }
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr) != SQLITE_OK || !stmt) {
        sqlite3_finalize(stmt);
        return nullptr;
    }
    m_prepared[sql] = stmt;
    return stmt;
}

bool HistoryDatabase::HasScanPlan(const char* sql, const char* table)
{
    if (!IsPlainName(table))
        return Fail(SQLITE_ERROR);
    const std::string whole = std::string("SCAN ") + table;
    return HasOnePlanStep(sql, [&](const std::string& step) {
        return step == whole || step.rfind(whole + " USING COVERING INDEX ", 0) == 0;
    });
}

bool HistoryDatabase::ScanPages(const char* pages, const PageRow& row)
{
    if (!m_db)
        return Fail(SQLITE_CANTOPEN);
    Statement walk(m_db, pages);
    sqlite3_stmt* s = walk.Get();
    if (!s)
        return Fail(sqlite3_errcode(m_db));
    // As few calls a row as the checks allow: the table may hold millions.
    for (;;) {
        int rc = sqlite3_step(s);
        if (rc == SQLITE_DONE)
            return true;
        if (rc != SQLITE_ROW)
            return Fail(rc);
        if (sqlite3_column_type(s, 1) != SQLITE_TEXT)
            continue;
        Page page{ sqlite3_column_int64(s, 0), reinterpret_cast<const char*>(sqlite3_column_text(s, 1)), 0, nullptr, 0,
                   sqlite3_column_int64(s, 3) };
        page.urlBytes = static_cast<size_t>(sqlite3_column_bytes(s, 1));
        if (sqlite3_column_type(s, 2) == SQLITE_TEXT) {
            page.title = reinterpret_cast<const char*>(sqlite3_column_text(s, 2));
            page.titleBytes = static_cast<size_t>(sqlite3_column_bytes(s, 2));
        }
        if (!row(page))
            return true;
    }
}

bool HistoryDatabase::LatestVisit(const char* visits, int64_t id, int64_t from, int64_t to,
                                  const std::function<bool(int64_t type)>& seen, int64_t* time)
{
    *time = 0;
    return Lookup(visits, { id, from, to }, [&](const Value* v, int count) {
        if (count >= 2 && v[0].isInteger && v[1].isInteger && v[0].integer > *time && seen(v[1].integer))
            *time = v[0].integer;
        return true;
    });
}

bool HistoryDatabase::PageOf(const char* page, int64_t id, std::string* url, std::string* title, bool* found)
{
    *found = false;
    return Lookup(page, { id }, [&](const Value* v, int count) {
        if (count >= 3 && v[0].isText && v[1].isInteger && v[1].integer == 0) {
            url->assign(v[0].bytes.data(), v[0].bytes.size());
            title->clear();
            if (v[2].isText)
                title->assign(v[2].bytes.data(), v[2].bytes.size());
            *found = true;
        }
        return false;
    });
}

bool HistoryDatabase::Lookup(const char* sql, std::initializer_list<Bound> bound, const ValueRow& row)
{
    sqlite3_stmt* s = Prepared(sql);
    if (!s)
        return Fail(m_db ? sqlite3_errcode(m_db) : SQLITE_CANTOPEN);
    int i = 1;
    for (const Bound& b : bound) {
        if (b.isText)
            sqlite3_bind_text(s, i++, b.text.data(), static_cast<int>(b.text.size()), SQLITE_TRANSIENT);
        else
            sqlite3_bind_int64(s, i++, b.integer);
    }
    const int count = std::min(sqlite3_column_count(s), 8);
    Value values[8];
    for (;;) {
        int rc = sqlite3_step(s);
        if (rc == SQLITE_DONE)
            return true;
        if (rc != SQLITE_ROW)
            return Fail(rc);
        for (int c = 0; c < count; ++c) {
            const int type = sqlite3_column_type(s, c);
            Value& v = values[c];
            v.isInteger = type == SQLITE_INTEGER;
            v.isText = type == SQLITE_TEXT;
            v.isBytes = type == SQLITE_TEXT || type == SQLITE_BLOB;
            v.integer = v.isInteger ? sqlite3_column_int64(s, c) : 0;
            v.bytes = {};
            if (type == SQLITE_BLOB) {
                const void* blob = sqlite3_column_blob(s, c);
                v.bytes = std::string_view(static_cast<const char*>(blob), blob ? static_cast<size_t>(sqlite3_column_bytes(s, c)) : 0);
            } else if (type == SQLITE_TEXT) {
                v.bytes = std::string_view(reinterpret_cast<const char*>(sqlite3_column_text(s, c)),
                                           static_cast<size_t>(sqlite3_column_bytes(s, c)));
            }
        }
        if (!row(values, count)) {
            sqlite3_reset(s);
            return true;
        }
    }
}

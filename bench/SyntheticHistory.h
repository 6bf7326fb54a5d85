// Histories of a Chromium and a Firefox profile made up for the benchmarks: pseudo-random
// but repeatable addresses of 40 to 120 bytes, visits spread over 90 days, one in ten a
// redirect hop, one address in twenty hidden.
#pragma once
#include <cstdint>
#include <cstdio>
#include <sqlite3.h>
#include "../history/SiteIcons.h"
#include "../tests/common/IconFiles.h"
#include <algorithm>
#include <map>
#include <string>
#include <vector>

class SyntheticHistory {
public:
    static void Build(const std::string& utf8Path, bool chromium, int places, int visits, int64_t nowUs)
    {
        std::remove(utf8Path.c_str());
        sqlite3* db = nullptr;
        sqlite3_open(utf8Path.c_str(), &db);
        Exec(
            db,
            chromium
                ? "CREATE TABLE urls(id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, visit_count "
                  "INTEGER DEFAULT 0 NOT NULL, typed_count INTEGER DEFAULT 0 NOT NULL, last_visit_time INTEGER NOT "
                  "NULL, hidden INTEGER DEFAULT 0 NOT NULL);"
                  "CREATE TABLE visits(id INTEGER PRIMARY KEY, url INTEGER NOT NULL, visit_time INTEGER NOT NULL, "
                  "from_visit INTEGER, transition INTEGER DEFAULT 0 NOT NULL, segment_id INTEGER, visit_duration "
                  "INTEGER DEFAULT 0 NOT NULL);"
                  "CREATE INDEX visits_url_index ON visits (url);CREATE INDEX visits_time_index ON visits (visit_time);"
                : "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, rev_host "
                  "LONGVARCHAR, visit_count INTEGER DEFAULT 0, hidden INTEGER DEFAULT 0 NOT NULL, typed INTEGER "
                  "DEFAULT 0 NOT NULL, frecency INTEGER DEFAULT -1 NOT NULL, last_visit_date INTEGER, guid TEXT);"
                  "CREATE TABLE moz_historyvisits (id INTEGER PRIMARY KEY, from_visit INTEGER, place_id INTEGER, "
                  "visit_date INTEGER, visit_type INTEGER, session INTEGER);"
                  "CREATE INDEX moz_historyvisits_placedateindex ON moz_historyvisits (place_id, visit_date);"
                  "CREATE INDEX moz_historyvisits_dateindex ON moz_historyvisits (visit_date);");
        // Built in one transaction with the whole index in memory: the same rows in the same
        // order, without minutes of random writes for the largest histories.
        Exec(db, "PRAGMA cache_size=-1048576; PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF");
        Exec(db, "BEGIN");
        sqlite3_stmt* place = nullptr;
        sqlite3_stmt* visit = nullptr;
        sqlite3_prepare_v2(
            db,
            chromium ? "INSERT INTO urls(id, url, title, last_visit_time, hidden) VALUES (?, ?, 't', 0, ?)"
                     : "INSERT INTO moz_places(id, url, title, hidden, last_visit_date) VALUES (?, ?, 't', ?, 0)",
            -1, &place, nullptr);
        sqlite3_prepare_v2(db,
                           chromium
                               ? "INSERT INTO visits(url, visit_time, transition) VALUES (?, ?, ?)"
                               : "INSERT INTO moz_historyvisits(place_id, visit_date, visit_type) VALUES (?, ?, ?)",
                           -1, &visit, nullptr);
        uint32_t seed = 12345;
        auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
        std::string url;
        for (int i = 1; i <= places; ++i) {
            url = "https://site" + std::to_string(next() % 5000) + ".example/" + std::to_string(i) + "/";
            url.append(next() % 80, 'p');
            sqlite3_bind_int(place, 1, i);
            sqlite3_bind_text(place, 2, url.c_str(), static_cast<int>(url.size()), SQLITE_TRANSIENT);
            sqlite3_bind_int(place, 3, next() % 20 == 0 ? 1 : 0);
            sqlite3_step(place);
            sqlite3_reset(place);
        }
        const int64_t span = 90LL * 86400 * 1000000;
        for (int i = 0; i < visits; ++i) {
            int64_t t = nowUs - static_cast<int64_t>(next() % 1000000) * (span / 1000000);
            bool hop = next() % 10 == 0;
            sqlite3_bind_int(visit, 1, static_cast<int>(1 + next() % places));
            sqlite3_bind_int64(visit, 2, chromium ? t + kChromiumEpochUs : t);
            sqlite3_bind_int64(visit, 3, chromium ? (hop ? 0x10000000 : 0x30000000) : (hop ? 5 : 1));
            sqlite3_step(visit);
            sqlite3_reset(visit);
        }
        sqlite3_finalize(place);
        sqlite3_finalize(visit);
        Exec(db, "COMMIT");
        sqlite3_close(db);
    }

    // The same shape with a title for every page and the last visit the browser keeps with it,
    // for the search: `matching` pages spread evenly over the table hold `word`, every other
    // one in its title, the rest in their address.
    static void BuildSearchable(const std::string& utf8Path, bool chromium, int places, int visits, int64_t nowUs,
                                const std::string& word, int matching)
    {
        Build(utf8Path, chromium, 0, 0, nowUs);  // the tables
        sqlite3* db = nullptr;
        sqlite3_open(utf8Path.c_str(), &db);
        Exec(db, "PRAGMA cache_size=-1048576; PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF");
        Exec(db, "BEGIN");
        uint32_t seed = 54321;
        auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
        struct V {
            int place;
            int64_t time;
            bool hop;
        };
        std::vector<V> all(static_cast<size_t>(visits));
        std::vector<int64_t> last(static_cast<size_t>(places) + 1, 0);
        const int64_t span = 90LL * 86400 * 1000000;
        for (V& v : all) {
            v.time = nowUs - static_cast<int64_t>(next() % 1000000) * (span / 1000000);
            v.hop = next() % 10 == 0;
            v.place = static_cast<int>(1 + next() % places);
            last[static_cast<size_t>(v.place)] = std::max(last[static_cast<size_t>(v.place)], v.time);
        }
        sqlite3_stmt* place = nullptr;
        sqlite3_prepare_v2(db,
                           chromium ? "INSERT INTO urls(id, url, title, last_visit_time, hidden) VALUES (?, ?, ?, ?, ?)"
                                    : "INSERT INTO moz_places(id, url, title, last_visit_date, hidden) VALUES (?, ?, ?, ?, ?)",
                           -1, &place, nullptr);
        std::string url, title;
        const int every = places / matching;
        for (int i = 1; i <= places; ++i) {
            const bool match = i % every == 0 && i / every <= matching;
            const uint32_t site = next() % 5000;
            url = "https://site" + std::to_string(site) + ".example/" + std::to_string(i) + "/";
            url.append(next() % 80, 'p');
            title = "Page " + std::to_string(i) + " of Site " + std::to_string(site) + " - Example News";
            if (match)
                (i / every % 2 ? title : url) += " " + word;
            const int64_t t = last[static_cast<size_t>(i)];
            sqlite3_bind_int(place, 1, i);
            sqlite3_bind_text(place, 2, url.c_str(), static_cast<int>(url.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(place, 3, title.c_str(), static_cast<int>(title.size()), SQLITE_TRANSIENT);
            if (t == 0)
                chromium ? sqlite3_bind_int64(place, 4, 0) : sqlite3_bind_null(place, 4);
            else
                sqlite3_bind_int64(place, 4, chromium ? t + kChromiumEpochUs : t);
            sqlite3_bind_int(place, 5, next() % 20 == 0 ? 1 : 0);
            sqlite3_step(place);
            sqlite3_reset(place);
        }
        sqlite3_finalize(place);
        sqlite3_stmt* visit = nullptr;
        sqlite3_prepare_v2(db,
                           chromium ? "INSERT INTO visits(url, visit_time, transition) VALUES (?, ?, ?)"
                                    : "INSERT INTO moz_historyvisits(place_id, visit_date, visit_type) VALUES (?, ?, ?)",
                           -1, &visit, nullptr);
        for (const V& v : all) {
            sqlite3_bind_int(visit, 1, v.place);
            sqlite3_bind_int64(visit, 2, chromium ? v.time + kChromiumEpochUs : v.time);
            sqlite3_bind_int64(visit, 3, chromium ? (v.hop ? 0x10000000 : 0x30000000) : (v.hop ? 5 : 1));
            sqlite3_step(visit);
            sqlite3_reset(visit);
        }
        sqlite3_finalize(visit);
        Exec(db, "COMMIT");
        sqlite3_close(db);
    }

    // Each page of the history mapped to its site's icon (16 and 32 pixels) in the browser's own
    // icon database beside it.
    static void BuildIcons(const std::string& history, bool firefox, const std::string& file)
    {
        std::remove(file.c_str());
        sqlite3* src = nullptr;
        sqlite3* db = nullptr;
        sqlite3_open(history.c_str(), &src);
        sqlite3_open(file.c_str(), &db);
        sqlite3_exec(db, firefox ? icon_files::kFirefoxFavicons : icon_files::kChromiumFavicons, nullptr, nullptr, nullptr);
        sqlite3_exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* urls = nullptr;
        sqlite3_prepare_v2(src, firefox ? "SELECT url FROM moz_places" : "SELECT url FROM urls", -1, &urls, nullptr);
        std::map<std::string, int> sites;
        int pageId = 0;
        {
            icon_files::IconDatabase icons(db, firefox);
            while (sqlite3_step(urls) == SQLITE_ROW) {
                const std::string url = reinterpret_cast<const char*>(sqlite3_column_text(urls, 0));
                const std::string site = SiteIcons::SiteOf(url);
                auto known = sites.find(site);
                const int id = known != sites.end() ? known->second : static_cast<int>(sites.size()) + 1;
                // Chromium: one icon with two bitmaps; Firefox: two icons.
                const std::vector<int> ids = firefox ? std::vector<int>{ id * 2, id * 2 + 1 } : std::vector<int>{ id };
                if (known == sites.end()) {
                    sites[site] = id;
                    for (int side : { 16, 32 })
                        icons.Icon(ids[firefox && side == 32 ? 1 : 0], side,
                                   icon_files::Png(static_cast<uint32_t>(side), static_cast<uint32_t>(side),
                                                   0x000000FFu | (static_cast<uint32_t>(id) * 2654435761u & 0xFFFFFF00u)));
                }
                icons.Page(++pageId, url, SiteIcons::FirefoxHash(url), ids);
            }
        }
        sqlite3_finalize(urls);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        sqlite3_close(src);
    }

    // The same-shaped query as SQLite's own LIKE: the pages whose address or title holds
    // `word`, latest last visit first, at most `count`; how many rows it gave.
    static int Like(const std::string& utf8Path, bool chromium, const std::string& word, int count)
    {
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(utf8Path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
            sqlite3_close(db);
            return -1;
        }
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db,
                           chromium ? "SELECT url, title, last_visit_time FROM urls WHERE hidden = 0 AND (url LIKE ?1 OR "
                                      "title LIKE ?1) ORDER BY last_visit_time DESC LIMIT ?2"
                                    : "SELECT url, title, last_visit_date FROM moz_places WHERE hidden = 0 AND (url LIKE "
                                      "?1 OR title LIKE ?1) ORDER BY last_visit_date DESC LIMIT ?2",
                           -1, &stmt, nullptr);
        const std::string pattern = "%" + word + "%";
        sqlite3_bind_text(stmt, 1, pattern.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(stmt, 2, count);
        int rows = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            ++rows;
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        return rows;
    }

private:
    static constexpr int64_t kChromiumEpochUs = 11644473600LL * 1000000;
    static void Exec(sqlite3* db, const char* sql) { sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }
};

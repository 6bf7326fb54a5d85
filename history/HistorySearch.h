// The whole history searched for pages whose title or address holds every word of a query,
// newest seen visit first, into the same bounded set as a reading of the latest pages
// (LatestVisits: its capacity, filters and open pages). The pages table is passed over once,
// each page matched in memory; only the pages that match have their visits looked up, newest
// last visit first (the last visit the browser keeps with the page; a page without one first), until the set is full and no page left could have a later seen visit:
// the work is one pass over the pages and a few lookups a row, whatever the words match.
#pragma once
#include "HistoryDatabase.h"
#include "LatestVisits.h"
#include "../text/SearchWords.h"
#include <cstdint>

// What a search asks for: every word (none: every page), a visit at or after `fromUs`
// (microseconds since 1970; 0: any time).
struct HistoryQuery {
    SearchWords words;
    int64_t fromUs = 0;
    // Whether a page with this address and title, seen at `timeUs`, is one the query asks for.
    bool Matches(std::string_view url, std::string_view title, int64_t timeUs) const
    {
        return timeUs >= fromUs && words.Matches(url, title);
    }
};

class HistorySearch {
public:
    // A history's tables, as the search asks them.
    struct Schema {
        const char* pagesTable;
        const char* pages;   // id, address, title, last visit of every page not hidden
        const char* visits;  // time, type of a page's visits: ?1 the page, ?2..?3 the time range
        const char* visitsIndex;
        const char* page;    // address, hidden flag, title of page ?1
        int64_t epochUs;     // the stored time of 1970-01-01 00:00 UTC
        bool (*seen)(int64_t type, int64_t hidden);
    };
    // Checks the plans and searches; false when a query cannot run or fails part way.
    static bool Run(HistoryDatabase& db, const Schema& schema, const HistoryQuery& query, LatestVisits& into);

    // Pages kept for the lookups at least, and per place of the set; beyond it the pages with
    // the oldest last visits go.
    static constexpr size_t kLeastKept = 65536;
    static constexpr size_t kKeptPerPlace = 64;
};

// The history of a Firefox profile: `places.sqlite`'s visits that a person saw, newest first.
#pragma once
#include "LatestVisits.h"
#include "HistoryReading.h"
#include "HistorySearch.h"
#include <cstdint>
#include <string>

class FirefoxHistory {
public:
    // Offers the file's seen visits to `latest` until it is full; says why not when the file cannot
    // be read (missing, damaged, of another schema, out of time: HistoryReading). Read in
    // place with its write-ahead log, or from a private copy made by `copies` when that is not
    // consistent.
    static HistoryReadResult Read(const std::string& utf8Path, LatestVisits& latest, const PrivateCopyMaker& copies = {},
                     std::chrono::milliseconds limit = HistoryReading::kDeadline);

    // The whole history searched (HistorySearch) for the pages `query` asks for, into `latest`;
    // read as Read reads, with the same bounds.
    static HistoryReadResult Search(const std::string& utf8Path, const HistoryQuery& query, LatestVisits& latest,
                                    const PrivateCopyMaker& copies = {},
                                    std::chrono::milliseconds limit = HistoryReading::kDeadline);

    // Not hidden (a redirect's source is), and not an embedded object, a download or a page
    // inside a frame.
    static bool CountsAsSeen(int64_t visitType, int64_t hidden);
    // The query, newest visit first, over the visits from ?1 to ?2 (microseconds since 1970).
    static const char* VisitsQuery();
};

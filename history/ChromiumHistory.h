// The history of a Chromium profile (Chrome, Edge): the `History` file's visits that a person
// saw, newest first.
#pragma once
#include "LatestVisits.h"
#include "HistoryReading.h"
#include "HistorySearch.h"
#include <cstdint>
#include <string>

class ChromiumHistory {
public:
    // Offers the file's seen visits to `latest` until it is full; says why not when the file cannot
    // be read (missing, damaged, of another schema, out of time: HistoryReading). Read in
    // place, or from a private copy made by `copies` when that is not consistent.
    static HistoryReadResult Read(const std::string& utf8Path, LatestVisits& latest, const PrivateCopyMaker& copies = {},
                     std::chrono::milliseconds limit = HistoryReading::kDeadline);

    // The whole history searched (HistorySearch) for the pages `query` asks for, into `latest`;
    // read as Read reads, with the same bounds.
    static HistoryReadResult Search(const std::string& utf8Path, const HistoryQuery& query, LatestVisits& latest,
                                    const PrivateCopyMaker& copies = {},
                                    std::chrono::milliseconds limit = HistoryReading::kDeadline);

    // The browser's own rule: the end of a redirect chain, not a frame, not a keyword-generated
    // visit, of an address that is not hidden. `transition` as stored (a signed 32-bit value).
    static bool CountsAsSeen(int64_t transition, int64_t hidden);
    // Microseconds since 1601-01-01 to microseconds since 1970-01-01.
    static int64_t ToUnixMicros(int64_t chromiumTime);
    // The query, newest visit first, over the visits from ?1 to ?2 (the browser's own unit).
    static const char* VisitsQuery();
};

// The history of a Firefox profile: `places.sqlite`'s visits that a person saw, newest first.
#pragma once
#include "LatestVisits.h"
#include <cstdint>
#include <string>

class FirefoxHistory {
public:
    // Offers the file's seen visits to `latest` until it is full; false when the file cannot
    // be read (missing, damaged, of another schema).
    static bool Read(const std::string& utf8Path, LatestVisits& latest);

    // Not hidden (a redirect's source is), and not an embedded object, a download or a page
    // inside a frame.
    static bool CountsAsSeen(int64_t visitType, int64_t hidden);
    // The query, newest visit first.
    static const char* VisitsQuery();
};

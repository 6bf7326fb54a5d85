// One page of a browser's history: its address and the time a person last saw it.
#pragma once
#include <cstdint>
#include <string>

struct BrowserVisit {
    std::string url;
    int64_t timeUs = 0;  // microseconds since 1970-01-01 00:00 UTC
    bool operator==(const BrowserVisit& o) const { return url == o.url && timeUs == o.timeUs; }
};

// One page of a browser's history: its address, the time a person last saw it, its title (as
// the page gave it, bounded; empty for none) and whether it is open in a tab now.
#pragma once
#include <cstdint>
#include <string>
#include <utility>

struct BrowserVisit {
    BrowserVisit() = default;
    BrowserVisit(std::string address, int64_t time, std::string pageTitle = {}, bool open = false)
        : url(std::move(address)), timeUs(time), title(std::move(pageTitle)), openNow(open)
    {
    }

    std::string url;
    int64_t timeUs = 0;  // microseconds since 1970-01-01 00:00 UTC
    std::string title;   // UTF-8, as the file holds it: untrusted
    bool openNow = false;
    // The same visit: address, time and mark (a title is what the page said of itself).
    bool operator==(const BrowserVisit& o) const { return url == o.url && timeUs == o.timeUs && openNow == o.openNow; }
};

// A page that the reopen command may open, with where it came from: the URL cache (opened
// through the automated browser window) or a profile of a browser of today (opened in it).
#pragma once
#include <cstdint>
#include <string>

enum class PageSource { UrlCache, Edge, Chrome, Firefox };

struct PageCandidate {
    std::string url;
    int64_t timeUs = 0;              // microseconds since 1970-01-01 UTC
    PageSource source = PageSource::UrlCache;
    std::string profile;             // the Chromium profile it came from (its folder's name), or empty
    std::string program;             // the browser that opens it (UTF-8); empty for the URL cache
    bool operator==(const PageCandidate& o) const
    {
        return url == o.url && timeUs == o.timeUs && source == o.source && profile == o.profile && program == o.program;
    }
};

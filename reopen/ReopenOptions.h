// What one run of the reopen command is asked for: how many pages, the three filters and the
// sources. Made from the settings in one place, by the dialog and by any other caller alike.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

struct ReopenOptions {
    int count = 3;            // 1 to 16
    bool httpOnly = true;     // the URL cache: names with "http://", cut there; browsers: http:// and https://
    bool skipOpen = true;     // pages open now (windows, and the tabs of running browsers) are passed over
    bool onlyMine = true;     // the URL cache: the Windows user's own entries
    bool tabs = false;        // each browser profile's pages as tabs of one new window
    bool urlCache = true;                       // the sources: the URL cache,
    std::set<std::string> browsers;             // and the keys of the browsers read (Browsers)

    // From the settings' values, where any non-zero value means on. `sources`: each source's key
    // in the settings ([BROWSERS]: kUrlCacheKey, or a browser's key) with its value.
    static ReopenOptions FromSettings(unsigned openNumber, int targetHttp, int disableAlreadyOpen, int onlyMyHistory,
                                      const std::map<std::string, int>& sources);
    static constexpr const char* kUrlCacheKey = "InternetExplorer";
    // Every source's key in the settings, in their order: the URL cache's, then each browser's
    // (the rows of history/Browsers).
    static std::vector<std::string> SourceKeys();
    // The URL-cache scan's flags (ScanFlags).
    unsigned ScanFlags() const;
};

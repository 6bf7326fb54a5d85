// What one run of the reopen command is asked for: how many pages, the three filters and the
// sources. Made from the settings in one place, by the dialog and by any other caller alike.
#pragma once
#include <set>
#include <string>

struct ReopenOptions {
    int count = 3;            // 1 to 16
    bool httpOnly = true;     // the URL cache: names with "http://", cut there; browsers: http:// and https://
    bool skipOpen = true;     // pages open now (windows, and the tabs of running browsers) are passed over
    bool onlyMine = true;     // the URL cache: the Windows user's own entries
    bool urlCache = true;                       // the sources: the URL cache,
    std::set<std::string> browsers = { "Edge", "Chrome", "Firefox" };  // and the keys of the browsers read

    // From the settings' values, where any non-zero value means on.
    static ReopenOptions FromSettings(unsigned openNumber, int targetHttp, int disableAlreadyOpen, int onlyMyHistory,
                                      int useInternetExplorer, int useEdge, int useChrome, int useFirefox);
    // The URL-cache scan's flags (ScanFlags).
    unsigned ScanFlags() const;
};

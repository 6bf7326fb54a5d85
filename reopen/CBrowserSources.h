// The histories of today's browsers as the reopen command reads them: every profile of each
// chosen browser, read from a private copy, its latest seen visits added to the selection
// together with the program that opens them. A profile whose browser program cannot be found,
// or whose history cannot be copied or read, adds nothing and says nothing.
#pragma once
#include "MergedSelection.h"
#include "../browser/CBrowserLauncher.h"

class CBrowserSources {
public:
    // With `skipOpen`, the pages that a profile's session file shows open in a tab are passed
    // over while the profile's browser runs (an unreadable session file shows none; when the
    // browser is not running, its session file is not read: its tabs were closed or lost).
    static void Collect(MergedSelection& merged, bool edge, bool chrome, bool firefox, bool httpOnly, bool skipOpen,
                        size_t capacity);
    // The browser whose history a page came from (not the URL cache).
    static InstalledBrowser BrowserOf(PageSource source);
    // Microseconds since 1970-01-01 UTC now.
    static int64_t NowUs();
};

// The histories of today's browsers as the reopen command reads them: every profile of each
// chosen browser, read in place (a private copy only as the fallback), its latest seen visits
// added to the selection together with the program that opens them. A profile whose browser
// program cannot be found, or whose history cannot be read, adds nothing and says nothing.
#pragma once
#include "MergedSelection.h"
#include "../browser/CBrowserLauncher.h"
#include "../history/Browsers.h"
#include <set>
#include <string>

class CBrowserSources {
public:
    // With `skipOpen`, the pages that a profile's session file shows open in a tab are passed
    // over while the profile's browser runs (an unreadable session file shows none; when the
    // browser is not running, its session file is not read: its tabs were closed or lost).
    // `chosen`: the keys of the browsers to read (Browsers).
    static void Collect(MergedSelection& merged, const std::set<std::string>& chosen, bool httpOnly, bool skipOpen,
                        size_t capacity);
    // How the launcher starts a browser of that family.
    static LaunchCommand::Browser LaunchFamily(const BrowserDescriptor& browser);
};

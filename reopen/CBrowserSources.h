// The histories of today's browsers as the reopen command reads them: every profile of each
// chosen browser, read in place (a private copy only as the fallback), its latest seen visits
// added to the selection together with the program that opens them. A profile whose browser
// program cannot be found adds nothing; one whose history cannot be read adds nothing and
// says why.
#pragma once
#include "MergedSelection.h"
#include "../browser/CBrowserLauncher.h"
#include "../history/Browsers.h"
#include "../history/CBrowserProfiles.h"
#include "../history/HistoryReadResult.h"
#include "../history/LatestVisits.h"
#include <atomic>
#include <functional>
#include <set>
#include <string>
#include <vector>

class CBrowserSources {
public:
    // The pages of one profile as read: its latest visits, with what opens them.
    struct ProfilePages {
        const BrowserDescriptor* browser;
        std::string profile;        // what the launcher takes (LaunchCommand::Browser says which)
        std::wstring profileName;   // as the browser names it
        std::wstring program;
        std::vector<BrowserVisit> visits;
        LaunchCommand::Browser launch;
        HistoryReadResult read;     // the visits are there only when read
    };
    // A profile whose history gave nothing, and why.
    struct Unread {
        const BrowserDescriptor* browser;
        std::wstring profileName;
        HistoryReadResult::Kind why;
    };
    // What becomes of the pages that a profile's session file shows open in a tab while its
    // browser runs (an unreadable session file shows none; when the browser is not running,
    // its session file is not read: its tabs were closed or lost).
    enum class OpenTabs { Count, Skip, Mark };
    struct Progress {
        const std::atomic<bool>* stop = nullptr;             // once true, nothing more is read
        std::function<void(size_t done, size_t total)> step;  // before each profile, and at the end
    };

    // Reads every profile of the chosen browsers (`chosen`: their keys, Browsers) whose program
    // is found and hands each one's latest `capacity` visits, or why there are none, to `sink`.
    static void Collect(const std::set<std::string>& chosen, bool httpOnly, OpenTabs openTabs, size_t capacity,
                        const std::function<void(ProfilePages&&)>& sink, const Progress& progress);
    // The program that opens the pages of a profile; empty when it cannot be found.
    static std::wstring ProgramOf(const BrowserProfile& profile);
    // Reads one profile's history into `latest` (in place, a private copy as the fallback).
    static HistoryReadResult ReadHistory(const BrowserProfile& profile, LatestVisits& latest);
    // The same into one selection, open tabs passed over with `skipOpen`.
    static void Collect(MergedSelection& merged, const std::set<std::string>& chosen, bool httpOnly, bool skipOpen,
                        size_t capacity);
};

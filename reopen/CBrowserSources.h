// The histories of today's browsers as the reopen command reads them: every profile of each
// chosen browser, read in place (a private copy only as the fallback), its latest seen visits
// added to the selection together with the program that opens them. A profile whose browser
// program cannot be found is read only where its pages are to be shown (they cannot be
// opened); one whose history cannot be read adds nothing and says why. What is open now is
// one set for every source: the tabs of each browser that runs with one of its profiles.
#pragma once
#include "MergedSelection.h"
#include "../browser/CBrowserLauncher.h"
#include "../history/Browsers.h"
#include "../history/CBrowserProfiles.h"
#include "../history/CLastSession.h"
#include "../history/HistoryReadResult.h"
#include "../history/HistorySearch.h"
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
        std::wstring iconFile;      // its database of site icons (IconFileOf)
    };
    // A profile whose history gave nothing, and why.
    struct Unread {
        const BrowserDescriptor* browser;
        std::wstring profileName;
        HistoryReadResult::Kind why;
    };
    // What becomes of the pages open now (OpenTabs, and the windows of the automated browser):
    // taken as any other, passed over, or kept and marked.
    enum class OpenPages { Count, Skip, Mark };
    struct Progress {
        const std::atomic<bool>* stop = nullptr;             // once true, nothing more is read
        std::function<void(size_t done, size_t total)> step;  // before each profile, and at the end
    };

    // What one reading is asked for.
    struct Reading {
        bool httpOnly = true;
        OpenPages openPages = OpenPages::Count;
        const std::set<std::string>* open = nullptr;  // the addresses open now, for Skip and Mark
        size_t capacity = 0;                          // visits a profile
        bool withoutProgram = false;  // also the profiles whose program is missing (`program` empty)
        const HistoryQuery* search = nullptr;  // the whole history searched for it, not the latest pages
    };

    // The last session of one profile, with what opens its windows.
    struct ProfileSession {
        const BrowserDescriptor* browser;
        std::string profile;
        std::wstring profileName;
        std::wstring program;  // empty when it cannot be found
        LaunchCommand::Browser launch;
        LastSession session;
        std::wstring iconFile;
    };

    // The profiles of the chosen browsers (`chosen`: their keys, Browsers) among those found.
    static std::vector<BrowserProfile> Chosen(const std::vector<BrowserProfile>& found,
                                              const std::set<std::string>& chosen);
    // The addresses open in a tab of a browser that runs now with one of the profiles (an
    // unreadable session file shows none; a browser that does not run has no tab open: its
    // session file lists what was closed or lost).
    static std::set<std::string> OpenTabs(const std::vector<BrowserProfile>& profiles);
    // Reads each profile whose program is found (each one with `withoutProgram`) and hands its
    // latest `capacity` visits, or why there are none, to `sink`.
    static void Collect(const std::vector<BrowserProfile>& profiles, const Reading& reading,
                        const std::function<void(ProfilePages&&)>& sink, const Progress& progress);
    // Reads each profile's last session (CLastSession) and hands it to `sink`, whether its
    // program is found or not.
    static void CollectSessions(const std::vector<BrowserProfile>& profiles,
                                const std::function<void(ProfileSession&&)>& sink, const Progress& progress);
    // Where the profile's browser keeps its site icons (SiteIcons), beside its history.
    static std::wstring IconFileOf(const BrowserProfile& profile);
    // The program that opens the pages of a profile; empty when it cannot be found.
    static std::wstring ProgramOf(const BrowserProfile& profile);
    // Reads one profile's history into `latest` (in place, a private copy as the fallback).
    static HistoryReadResult ReadHistory(const BrowserProfile& profile, LatestVisits& latest,
                                         const HistoryQuery* search = nullptr);
    // The same into one selection; the browsers of the profiles not read for want of their
    // program go to `withoutProgram`.
    static void Collect(MergedSelection& merged, const std::vector<BrowserProfile>& profiles, const Reading& reading,
                        std::vector<const BrowserDescriptor*>* withoutProgram = nullptr);

private:
    // Each profile with its program (found once a channel) and how the launcher names it,
    // `progress` told before each one, until it says stop.
    static void EachProfile(const std::vector<BrowserProfile>& profiles, const Progress& progress,
                            const std::function<void(const BrowserProfile&, const std::wstring& program,
                                                     const std::pair<LaunchCommand::Browser, std::string>& launch)>& each);
};

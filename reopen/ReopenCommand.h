// The reopen command: which pages "再び表示" opens, and their opening. The rules, in the order
// they apply, each with where it is decided:
//  1. Sources: the URL cache, and every profile of each chosen browser found now
//     (ReopenOptions; the browsers are the rows of history/Browsers, their profiles found by
//     history/CBrowserProfiles). A profile counts only when its browser's program is found
//     (CBrowserSources); when that leaves nothing, Select says which browsers it was.
//  2. Open now: one set for every source, made once before any history is read: the windows
//     of the automated browser, and the tabs of every browser that runs with one of its
//     profiles (history/CProfileLock, the session readers), chosen or not. A page in it is
//     open whichever source saw it last (OpenNow here, CBrowserSources::OpenTabs).
//  3. URL cache: only the user's own entries, names with "http://" cut there, addresses open
//     now passed over, then the latest N (history/CHistoryReopener, ScanFlags, RecentSet).
//  4. Browsers' histories: read in place and bounded, an unreadable file gives nothing
//     (history/HistoryReading); only visits a person saw (ChromiumHistory/FirefoxHistory::
//     CountsAsSeen); addresses too long, without a scheme, with a time before 1970 or ahead
//     of the clock, or not http(s) with the http filter, left out; pages open now passed over;
//     the latest N per profile (history/LatestVisits).
//  5. Everywhere: an address that runs a script or carries its own content is never taken
//     (history/CHistoryReopener, history/LatestVisits) and never opened (PageOpening).
//  6. Merge: each address once, from the source that saw it last (the URL cache on a tie);
//     the latest N over all sources, oldest first (MergedSelection).
//  7. Opening: one page at a time, oldest first; the URL cache's in a new automated window
//     (browser/CBrowserWindow), a browser's in a new window of that browser and profile, the
//     address as one argument (browser/CBrowserLauncher, browser/LaunchCommand); what failed
//     and why is told page by page.
// The list of recent pages follows the same rules with its own count, except that pages open
// now are kept and marked instead of passed over (history/LatestVisits::Mark), the pages of a
// profile whose program is missing are listed too (never checked), and it marks the pages that
// rules 1 to 6 give with the command's count (PageListing).
#pragma once
#include "CBrowserSources.h"
#include "PageCandidate.h"
#include "PageListing.h"
#include "PageOpening.h"
#include "ReopenOptions.h"
#include <atomic>
#include <functional>
#include <vector>

class ReopenCommand {
public:
    // Why Select found nothing to open, where that is more than "no page".
    struct Nothing {
        bool noSource = false;  // neither the URL cache nor a browser with a profile is chosen
        std::vector<const BrowserDescriptor*> withoutProgram;  // browsers with pages but no program
    };
    // The pages to open, oldest first; looks for profiles and reads the histories now. When
    // there are none, `why` says why.
    static std::vector<PageCandidate> Select(const ReopenOptions& options, Nothing* why = nullptr);
    // The list of recent pages: the latest `listCount` over the same sources and filters,
    // newest first, each address once, pages open now kept and marked (PageListing), those
    // that Select would return pre-checked. Callable from any thread; `progress` counts the
    // profiles and stops the reading early; the profiles that could not be read go to `unread`.
    static std::vector<ListedPage> List(const ReopenOptions& options, size_t listCount,
                                        const CBrowserSources::Progress& progress,
                                        std::vector<CBrowserSources::Unread>* unread = nullptr);
    // The list's search: as List, over the same sources and filters, but the pages that `query`
    // asks for (every word in the title or address, seen within its period): each profile's
    // whole history searched (HistorySearch), the URL cache's addresses matched; none checked.
    static std::vector<ListedPage> Search(const ReopenOptions& options, size_t listCount, const HistoryQuery& query,
                                          const CBrowserSources::Progress& progress,
                                          std::vector<CBrowserSources::Unread>* unread = nullptr);
    // One window of a profile's last session (CLastSession), with what opens it.
    struct ListedWindow {
        const BrowserDescriptor* browser = nullptr;
        std::string profile;  // as the launcher takes it
        LaunchCommand::Browser launch = LaunchCommand::Browser::Chromium;
        std::wstring program;      // empty when it cannot be found
        std::wstring profileName;  // as the browser names it
        size_t number = 0;         // its place among the profile's windows, from 1
        SessionWindow window;
        bool openNow = false;         // the browser runs with the profile: the window is open
        bool restoresItself = false;  // the stopped browser brings it back at its next start
        std::wstring iconFile;        // the profile's site icons
        // What the windows view checks and /restore opens.
        bool ToOpen() const { return !openNow && !restoresItself && !program.empty(); }
    };
    // A chosen profile whose last session cannot be shown, and why.
    struct UnreadSession {
        const BrowserDescriptor* browser;
        std::wstring profileName;
        LastSession::Kind why;
    };
    // The last windows of every profile of the chosen browsers, profile by profile, each
    // profile's in their order. Callable from any thread, as List.
    static std::vector<ListedWindow> Windows(const ReopenOptions& options, const CBrowserSources::Progress& progress,
                                             std::vector<UnreadSession>* unread = nullptr);
    // Opens each window as one new window of its browser and profile, its tabs in their order
    // (pinned ones first), the windows in theirs. With `letRestore`, a window whose browser
    // restores it by itself is not opened: its browser is started in that profile with no
    // page, once a profile. `pages` gets every tab as a page, in that order, and the result
    // says what happened to each (and `errors` why), as Open does.
    static std::vector<OpenOutcome> OpenWindows(const std::vector<ListedWindow>& windows, bool letRestore,
                                                std::vector<PageCandidate>* pages,
                                                std::vector<uint32_t>* errors = nullptr);

    // Opens them in that order and says, page by page, what happened (and with `errors`, why a
    // page failed: PageOpening); with `tabs`, each browser profile's pages as tabs of one new
    // window (PageOpening::OpenAllAsTabs).
    static std::vector<OpenOutcome> Open(const std::vector<PageCandidate>& pages, bool tabs = false,
                                         std::vector<uint32_t>* errors = nullptr);

    // How many profiles of each browser there are now, whether its program is there to open
    // their pages, and which of them have a history that gives no page (for the sources
    // dialog, in two steps so that it can show at once).
    struct BrowserProfiles {
        const char* key;             // the browser's (Browsers)
        const wchar_t* displayName;  // as the user knows it
        int count;
        bool programFound;
        std::vector<CBrowserSources::Unread> unread;  // Empty also for a history without a page
    };
    // The profiles and their counts (no history is read), then each profile's history read for
    // its latest page, told to `each` with the browser's index and why it gives none (null when
    // it gives one), until `*stop`. Callable from any thread.
    static std::vector<BrowserProfiles> FindProfiles(std::vector<BrowserProfile>* found);
    static void CheckProfiles(const std::vector<BrowserProfile>& found,
                              const std::function<void(size_t browser, const CBrowserSources::Unread* unread)>& each,
                              const std::atomic<bool>* stop = nullptr);
    // Whether a browser of today keeps its data for this user (cheap: no profile is read).
    static bool AnyBrowserFound();

private:
    static std::vector<ListedPage> Listing(const ReopenOptions& options, size_t listCount, const HistoryQuery* query,
                                           const CBrowserSources::Progress& progress,
                                           std::vector<CBrowserSources::Unread>* unread);
};

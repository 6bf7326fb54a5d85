#include "ReopenCommand.h"
#include "CBrowserSources.h"
#include "MergedSelection.h"
#include "../browser/CBrowserLauncher.h"
#include "../browser/CBrowserWindow.h"
#include "../history/CBrowserProfiles.h"
#include "../history/CHistoryReopener.h"
#include "../history/CUrlCacheStore.h"
#include "../history/ScanFlags.h"
#include "../history/SessionWindows.h"
#include "../history/VisitTime.h"
#include "../text/AnsiText.h"
#include "../text/Utf8Text.h"
#include <algorithm>
#include <map>
#include <set>

namespace {
// The profiles found now, when any source needs them: the chosen browsers' to read, and every
// browser's to know what is open.
std::vector<BrowserProfile> FoundProfiles(const ReopenOptions& options)
{
    return options.browsers.empty() && !options.skipOpen ? std::vector<BrowserProfile>() : CBrowserProfiles::Find();
}

// Every address open now, whichever source saw it last: in a window of the automated browser,
// or in a tab of any browser that runs with one of the profiles.
std::set<std::string> OpenNow(const std::vector<BrowserProfile>& found)
{
    EntrySet windows;
    CHistoryReopener::CollectOpenUrls(windows);
    std::set<std::string> open = CBrowserSources::OpenTabs(found);
    for (const HistoryEntry& e : windows)
        open.insert(e.m_url);
    return open;
}

// How the browsers' histories are read: open pages passed over (the reopen) or marked (the
// list) when the open filter is on, else taken as any other.
CBrowserSources::Reading ReadingOf(const ReopenOptions& options, const std::set<std::string>& open,
                                   CBrowserSources::OpenPages whenOpenFiltered, size_t capacity)
{
    CBrowserSources::Reading reading;
    reading.httpOnly = options.httpOnly;
    reading.openPages = options.skipOpen ? whenOpenFiltered : CBrowserSources::OpenPages::Count;
    reading.open = &open;
    reading.capacity = capacity;
    return reading;
}

// The URL cache's scan asks for the open addresses through its survey: the set made once.
CHistoryReopener::OpenUrlSurvey SurveyOf(const std::set<std::string>& open)
{
    return [&open](EntrySet& urls) {
        for (const std::string& url : open)
            urls.insert(HistoryEntry(url, 0, false));
    };
}
}

std::vector<PageCandidate> ReopenCommand::Select(const ReopenOptions& options, Nothing* why)
{
    const std::vector<BrowserProfile> found = FoundProfiles(options);
    const std::set<std::string> open = options.skipOpen ? OpenNow(found) : std::set<std::string>();
    const size_t count = static_cast<size_t>(options.count);
    RecentSet recent(static_cast<uint32_t>(count));
    if (options.urlCache) {
        CUrlCacheStore store;
        CHistoryReopener::ScanHistory(recent, options.ScanFlags(), store, SurveyOf(open));
    }
    MergedSelection merged(count);
    merged.AddUrlCache(recent);
    CBrowserSources::Reading reading = ReadingOf(options, open, CBrowserSources::OpenPages::Skip, count);
    const std::vector<BrowserProfile> chosen = CBrowserSources::Chosen(found, options.browsers);
    std::vector<const BrowserDescriptor*> withoutProgram;
    CBrowserSources::Collect(merged, chosen, reading, &withoutProgram);
    std::vector<PageCandidate> pages = merged.OldestFirst();
    if (pages.empty() && why) {
        *why = Nothing();
        why->noSource = !options.urlCache && chosen.empty();
        // Would there have been pages, had their browsers' programs been there? Only those
        // browsers' profiles are read again.
        if (!withoutProgram.empty()) {
            reading.capacity = 1;
            reading.withoutProgram = true;
            std::vector<BrowserProfile> unopened;
            for (const BrowserProfile& p : chosen)
                if (std::find(withoutProgram.begin(), withoutProgram.end(), p.browser) != withoutProgram.end())
                    unopened.push_back(p);
            CBrowserSources::Collect(unopened, reading, [&](CBrowserSources::ProfilePages&& p) {
                if (p.program.empty() && !p.visits.empty() &&
                    std::find(why->withoutProgram.begin(), why->withoutProgram.end(), p.browser) == why->withoutProgram.end())
                    why->withoutProgram.push_back(p.browser);
            }, CBrowserSources::Progress());
        }
    }
    return pages;
}

std::vector<ListedPage> ReopenCommand::List(const ReopenOptions& options, size_t listCount,
                                            const CBrowserSources::Progress& progress,
                                            std::vector<CBrowserSources::Unread>* unread)
{
    return Listing(options, listCount, nullptr, progress, unread);
}

std::vector<ListedPage> ReopenCommand::Search(const ReopenOptions& options, size_t listCount, const HistoryQuery& query,
                                              const CBrowserSources::Progress& progress,
                                              std::vector<CBrowserSources::Unread>* unread)
{
    return Listing(options, listCount, &query, progress, unread);
}

std::vector<ListedPage> ReopenCommand::Listing(const ReopenOptions& options, size_t listCount, const HistoryQuery* query,
                                               const CBrowserSources::Progress& progress,
                                               std::vector<CBrowserSources::Unread>* unread)
{
    listCount = std::max(listCount, static_cast<size_t>(options.count));
    // What "再び表示" would open is checked in the list of the latest pages, not among found ones.
    const size_t openCount = query ? 0 : static_cast<size_t>(options.count);
    PageListing listing(openCount, listCount);
    const std::vector<BrowserProfile> found = FoundProfiles(options);
    const std::set<std::string> open = options.skipOpen ? OpenNow(found) : std::set<std::string>();
    if (options.urlCache) {
        CHistoryReopener::Accept accept;
        if (query)  // the address in the ANSI code page, matched as UTF-8 where it is more than ASCII
            accept = [query](std::string_view address, int32_t time) {
                std::string utf8;
                if (std::any_of(address.begin(), address.end(), [](char c) { return (c & 0x80) != 0; }))
                    address = utf8 = Utf8Text::FromWide(AnsiText::ToWide(std::string(address)));
                return query->Matches(address, {}, static_cast<int64_t>(time) * 1000000);
            };
        const CHistoryReopener::OpenUrlSurvey survey = SurveyOf(open);
        RecentSet toOpen(static_cast<uint32_t>(openCount));
        if (openCount > 0) {
            CUrlCacheStore store;
            CHistoryReopener::ScanHistory(toOpen, options.ScanFlags(), store, survey);
        }
        RecentSet listed(static_cast<uint32_t>(listCount)), latest(static_cast<uint32_t>(listCount));
        CUrlCacheStore again, andAgain;
        CHistoryReopener::ScanHistory(listed, options.ScanFlags(), again, survey, accept);
        if (!open.empty())
            CHistoryReopener::ScanHistory(latest, options.ScanFlags() & ~SCAN_SKIP_OPEN, andAgain, survey, accept);
        listing.AddUrlCache(listed, latest, open, toOpen);
    }
    CBrowserSources::Reading reading = ReadingOf(options, open, CBrowserSources::OpenPages::Mark, listCount);
    reading.withoutProgram = true;  // listed, never checked
    reading.search = query;
    std::map<std::pair<const BrowserDescriptor*, std::string>, std::wstring> iconFiles;
    CBrowserSources::Collect(CBrowserSources::Chosen(found, options.browsers), reading,
                             [&](CBrowserSources::ProfilePages&& pages) {
                                 if (!pages.read && unread)
                                     unread->push_back({ pages.browser, pages.profileName, pages.read.kind() });
                                 iconFiles[{ pages.browser, pages.profile }] = pages.iconFile;
                                 listing.AddVisits(pages.browser, pages.profile, pages.visits, pages.program,
                                                   pages.profileName, pages.launch);
                             }, progress);
    std::vector<ListedPage> rows = listing.Rows();
    for (ListedPage& row : rows)
        if (row.page.browser)
            row.iconFile = iconFiles[{ row.page.browser, row.page.profile }];
    return rows;
}

std::vector<OpenOutcome> ReopenCommand::Open(const std::vector<PageCandidate>& pages, bool tabs,
                                             std::vector<uint32_t>* errors)
{
    if (tabs)
        return PageOpening::OpenAllAsTabs<CBrowserWindow>(pages, [](const std::vector<const PageCandidate*>& group) {
            std::vector<std::string> urls;
            for (const PageCandidate* page : group)
                urls.push_back(page->url);
            const PageCandidate& first = *group.front();
            return CBrowserLauncher::OpenTabs(first.program, first.launch, first.profile, urls);
        }, errors);
    return PageOpening::OpenAll<CBrowserWindow>(pages, [](const PageCandidate& page) {
        return CBrowserLauncher::Open(page.program, page.launch, page.profile, page.url);
    }, errors);
}

std::vector<ReopenCommand::ListedWindow> ReopenCommand::Windows(const ReopenOptions& options,
                                                                const CBrowserSources::Progress& progress,
                                                                std::vector<UnreadSession>* unread)
{
    std::vector<ListedWindow> windows;
    if (options.browsers.empty())
        return windows;
    const std::vector<BrowserProfile> profiles = CBrowserSources::Chosen(CBrowserProfiles::Find(), options.browsers);
    CBrowserSources::CollectSessions(profiles, [&](CBrowserSources::ProfileSession&& p) {
        if (p.session.kind != LastSession::Kind::kRead && p.session.kind != LastSession::Kind::kNone && unread)
            unread->push_back({ p.browser, p.profileName, p.session.kind });
        size_t number = 0;
        for (SessionWindow& w : p.session.windows) {
            ListedWindow listed;
            listed.browser = p.browser;
            listed.profile = p.profile;
            listed.launch = p.launch;
            listed.program = p.program;
            listed.profileName = p.profileName;
            listed.number = ++number;
            listed.window = std::move(w);
            listed.openNow = p.session.open;
            listed.restoresItself = p.session.restoresItself;
            listed.iconFile = p.iconFile;
            windows.push_back(std::move(listed));
        }
    }, progress);
    return windows;
}

std::vector<OpenOutcome> ReopenCommand::OpenWindows(const std::vector<ListedWindow>& windows, bool letRestore,
                                                    std::vector<PageCandidate>* pages, std::vector<uint32_t>* errors)
{
    std::vector<OpenOutcome> outcomes;
    std::vector<uint32_t> why;
    pages->clear();
    std::map<std::pair<const BrowserDescriptor*, std::string>, uint32_t> started;  // profiles left to restore
    for (const ListedWindow& w : windows) {
        const std::vector<SessionTab> tabs = SessionWindows::OpeningOrder(w.window);
        std::vector<std::string> urls;
        for (const SessionTab& tab : tabs) {
            urls.push_back(tab.url);
            pages->push_back(PageCandidate(tab.url, 0, w.browser, w.profile, w.program, tab.title, w.profileName));
            pages->back().launch = w.launch;
        }
        std::vector<uint32_t> handed;
        if (letRestore && w.restoresItself) {
            auto at = started.find({ w.browser, w.profile });
            if (at == started.end())
                at = started.emplace(std::make_pair(w.browser, w.profile), CBrowserLauncher::StartProfile(w.program, w.launch, w.profile)).first;
            handed.assign(urls.size(), at->second);
        } else {
            handed = CBrowserLauncher::OpenTabs(w.program, w.launch, w.profile, urls);
        }
        for (size_t i = 0; i < urls.size(); ++i) {
            const uint32_t error = i < handed.size() ? handed[i] : PageOpening::kNoErrorCode;
            outcomes.push_back(error ? OpenOutcome::Failed : OpenOutcome::Opened);
            why.push_back(error);
        }
    }
    if (errors)
        *errors = std::move(why);
    return outcomes;
}

std::vector<ReopenCommand::BrowserProfiles> ReopenCommand::FindProfiles(std::vector<BrowserProfile>* found)
{
    const std::vector<BrowserDescriptor>& browsers = Browsers::All();
    std::vector<BrowserProfiles> counts;
    for (const BrowserDescriptor& b : browsers)
        counts.push_back({ b.key, b.displayName, 0, false, {} });
    std::set<std::wstring> looked;  // each channel's program once
    *found = CBrowserProfiles::Find();
    for (const BrowserProfile& p : *found) {
        BrowserProfiles& count = counts[static_cast<size_t>(p.browser - browsers.data())];
        ++count.count;
        if (!count.programFound && looked.insert(p.userData).second)
            count.programFound = !CBrowserSources::ProgramOf(p).empty();
    }
    return counts;
}

void ReopenCommand::CheckProfiles(const std::vector<BrowserProfile>& found,
                                  const std::function<void(size_t, const CBrowserSources::Unread*)>& each,
                                  const std::atomic<bool>* stop)
{
    const std::vector<BrowserDescriptor>& browsers = Browsers::All();
    const int64_t now = VisitTime::NowUs();
    for (const BrowserProfile& p : found) {
        if (stop && stop->load())
            return;
        LatestVisits latest(1, now, false);
        latest.StopWhen(stop);
        const HistoryReadResult read = CBrowserSources::ReadHistory(p, latest);
        if (stop && stop->load())
            return;
        const size_t browser = static_cast<size_t>(p.browser - browsers.data());
        if (!read || latest.Visits().empty()) {
            const CBrowserSources::Unread unread{ p.browser, p.displayName, read ? HistoryReadResult::Empty : read.kind() };
            each(browser, &unread);
        } else {
            each(browser, nullptr);
        }
    }
}

bool ReopenCommand::AnyBrowserFound() { return CBrowserProfiles::AnyDataFolder(); }

#include "ReopenCommand.h"
#include "CBrowserSources.h"
#include "MergedSelection.h"
#include "../browser/CBrowserLauncher.h"
#include "../browser/CBrowserWindow.h"
#include "../history/CBrowserProfiles.h"
#include "../history/CHistoryReopener.h"
#include "../history/CUrlCacheStore.h"
#include "../history/ScanFlags.h"
#include "../history/VisitTime.h"
#include <algorithm>
#include <set>

std::vector<PageCandidate> ReopenCommand::Select(const ReopenOptions& options)
{
    RecentSet recent(static_cast<uint32_t>(options.count));
    if (options.urlCache)
        CHistoryReopener::ScanHistory(recent, options.ScanFlags());
    MergedSelection merged(static_cast<size_t>(options.count));
    merged.AddUrlCache(recent);
    CBrowserSources::Collect(merged, options.browsers, options.httpOnly, options.skipOpen,
                             static_cast<size_t>(options.count));
    return merged.OldestFirst();
}

std::vector<ListedPage> ReopenCommand::List(const ReopenOptions& options, size_t listCount,
                                            const CBrowserSources::Progress& progress,
                                            std::vector<CBrowserSources::Unread>* unread)
{
    listCount = std::max(listCount, static_cast<size_t>(options.count));
    PageListing listing(static_cast<size_t>(options.count), listCount);
    if (options.urlCache) {
        // The windows open now, surveyed once for both sets.
        EntrySet open;
        if (options.skipOpen)
            CHistoryReopener::CollectOpenUrls(open);
        const auto survey = [&](EntrySet& urls) { urls = open; };
        RecentSet toOpen(static_cast<uint32_t>(options.count));
        CUrlCacheStore store;
        CHistoryReopener::ScanHistory(toOpen, options.ScanFlags(), store, survey);
        RecentSet listed(static_cast<uint32_t>(listCount)), latest(static_cast<uint32_t>(listCount));
        CUrlCacheStore again, andAgain;
        CHistoryReopener::ScanHistory(listed, options.ScanFlags(), again, survey);
        if (!open.empty())
            CHistoryReopener::ScanHistory(latest, options.ScanFlags() & ~SCAN_SKIP_OPEN, andAgain, survey);
        std::set<std::string> openAddresses;
        for (const HistoryEntry& e : open)
            openAddresses.insert(e.m_url);
        listing.AddUrlCache(listed, latest, openAddresses, toOpen);
    }
    CBrowserSources::Collect(options.browsers, options.httpOnly,
                             options.skipOpen ? CBrowserSources::OpenTabs::Mark : CBrowserSources::OpenTabs::Count,
                             listCount, [&](CBrowserSources::ProfilePages&& pages) {
                                 if (!pages.read && unread)
                                     unread->push_back({ pages.browser, pages.profileName, pages.read.kind() });
                                 listing.AddVisits(pages.browser, pages.profile, pages.visits, pages.program,
                                                   pages.profileName, pages.launch);
                             }, progress);
    return listing.Rows();
}

std::vector<OpenOutcome> ReopenCommand::Open(const std::vector<PageCandidate>& pages, bool tabs)
{
    if (tabs)
        return PageOpening::OpenAllAsTabs<CBrowserWindow>(pages, [](const std::vector<const PageCandidate*>& group) {
            std::vector<std::string> urls;
            for (const PageCandidate* page : group)
                urls.push_back(page->url);
            const PageCandidate& first = *group.front();
            return CBrowserLauncher::OpenTabs(first.program, first.launch, first.profile, urls);
        });
    return PageOpening::OpenAll<CBrowserWindow>(pages, [](const PageCandidate& page) {
        return CBrowserLauncher::Open(page.program, page.launch, page.profile, page.url);
    });
}

std::vector<ReopenCommand::BrowserProfiles> ReopenCommand::CountProfiles()
{
    const std::vector<BrowserDescriptor>& browsers = Browsers::All();
    std::vector<BrowserProfiles> counts;
    for (const BrowserDescriptor& b : browsers)
        counts.push_back({ b.key, b.displayName, 0, false, {} });
    std::set<std::wstring> looked;  // each channel's program once
    const int64_t now = VisitTime::NowUs();
    for (const BrowserProfile& p : CBrowserProfiles::Find()) {
        BrowserProfiles& count = counts[static_cast<size_t>(p.browser - browsers.data())];
        ++count.count;
        if (!count.programFound && looked.insert(p.userData).second)
            count.programFound = !CBrowserSources::ProgramOf(p).empty();
        LatestVisits latest(1, now, false);
        const HistoryReadResult read = CBrowserSources::ReadHistory(p, latest);
        if (!read || latest.Visits().empty())
            count.unread.push_back({ p.browser, p.displayName, read ? HistoryReadResult::Empty : read.kind() });
    }
    return counts;
}

#include "ReopenCommand.h"
#include "CBrowserSources.h"
#include "MergedSelection.h"
#include "../browser/CBrowserLauncher.h"
#include "../browser/CBrowserWindow.h"
#include "../history/CBrowserProfiles.h"
#include "../history/CHistoryReopener.h"

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

std::vector<OpenOutcome> ReopenCommand::Open(const std::vector<PageCandidate>& pages)
{
    return PageOpening::OpenAll<CBrowserWindow>(pages, [](const PageCandidate& page) {
        return CBrowserLauncher::Open(page.program, CBrowserSources::LaunchFamily(*page.browser), page.profile, page.url);
    });
}

std::vector<ReopenCommand::BrowserProfiles> ReopenCommand::CountProfiles()
{
    const std::vector<BrowserDescriptor>& browsers = Browsers::All();
    std::vector<BrowserProfiles> counts;
    for (const BrowserDescriptor& b : browsers)
        counts.push_back({ b.key, b.displayName, 0 });
    for (const BrowserProfile& p : CBrowserProfiles::Find())
        ++counts[static_cast<size_t>(p.browser - browsers.data())].count;
    return counts;
}

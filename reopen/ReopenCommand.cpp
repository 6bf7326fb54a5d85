#include "ReopenCommand.h"
#include "CBrowserSources.h"
#include "MergedSelection.h"
#include "../browser/CBrowserLauncher.h"
#include "../browser/CBrowserWindow.h"
#include "../history/CBrowserProfiles.h"
#include "../history/UrlCacheScan.h"

std::vector<PageCandidate> ReopenCommand::Select(const ReopenOptions& options)
{
    RecentSet recent(static_cast<uint32_t>(options.count));
    if (options.urlCache)
        UrlCacheScan::Scan(recent, options.ScanFlags());
    MergedSelection merged(static_cast<size_t>(options.count));
    merged.AddUrlCache(recent);
    CBrowserSources::Collect(merged, options.edge, options.chrome, options.firefox, options.httpOnly, options.skipOpen,
                             static_cast<size_t>(options.count));
    return merged.OldestFirst();
}

std::vector<OpenOutcome> ReopenCommand::Open(const std::vector<PageCandidate>& pages)
{
    return PageOpening::OpenAll<CBrowserWindow>(pages, [](const PageCandidate& page) {
        return CBrowserLauncher::Open(page.program, CBrowserSources::BrowserOf(page.source), page.profile, page.url);
    });
}

ReopenCommand::ProfileCounts ReopenCommand::CountProfiles()
{
    ProfileCounts counts;
    for (const BrowserProfile& p : CBrowserProfiles::Find()) {
        if (p.browser == PageSource::Edge)
            ++counts.edge;
        else if (p.browser == PageSource::Chrome)
            ++counts.chrome;
        else if (p.browser == PageSource::Firefox)
            ++counts.firefox;
    }
    return counts;
}

#include "PageListing.h"
#include <algorithm>
#include <tuple>

void PageListing::AddUrlCache(const RecentSet& listed, const RecentSet& latest, const std::set<std::string>& open,
                              const RecentSet& toOpen)
{
    m_rows.AddUrlCache(listed);
    RecentSet openOnes(latest.m_capacity);
    for (const HistoryEntry& e : latest.m_entries)
        if (open.count(e.m_url))
            openOnes.Add(e);
    m_rows.AddUrlCache(openOnes, &open);
    m_toOpen.AddUrlCache(toOpen);
}

void PageListing::AddVisits(const BrowserDescriptor* browser, const std::string& profile,
                            const std::vector<BrowserVisit>& visits, const std::wstring& program,
                            const std::wstring& profileName, LaunchCommand::Browser launch)
{
    m_rows.AddVisits(browser, profile, visits, program, profileName, launch);
    if (!program.empty())  // nothing could open them
        m_toOpen.AddVisits(browser, profile, visits, program, profileName, launch);
}

std::vector<ListedPage> PageListing::Rows() const
{
    using Key = std::tuple<std::string, const BrowserDescriptor*, std::string>;
    std::set<Key> toOpen;
    for (const PageCandidate& page : m_toOpen.OldestFirst())
        toOpen.emplace(page.url, page.browser, page.profile);
    std::vector<ListedPage> rows;
    for (PageCandidate& page : m_rows.NewestFirst()) {
        bool preChecked = !page.openNow && toOpen.erase(Key(page.url, page.browser, page.profile));
        rows.push_back({ std::move(page), preChecked, {} });
    }
    // A page that "再び表示" takes and the list does not hold (the URL cache's set refuses an
    // entry of the same second as one it holds, and its two sets may differ so) joins it.
    for (const PageCandidate& page : m_toOpen.OldestFirst()) {
        if (!toOpen.count(Key(page.url, page.browser, page.profile)))
            continue;
        auto same = std::find_if(rows.begin(), rows.end(), [&](const ListedPage& r) { return r.page.url == page.url; });
        if (same != rows.end())
            *same = { page, true, {} };  // each address once: as it would be opened
        else
            rows.push_back({ page, true, {} });
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const ListedPage& a, const ListedPage& b) { return a.page.timeUs > b.page.timeUs; });
    return rows;
}

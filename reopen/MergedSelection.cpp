#include "MergedSelection.h"
#include <algorithm>
#include <map>

void MergedSelection::AddUrlCache(const RecentSet& recent, const std::set<std::string>* open)
{
    for (const HistoryEntry& e : recent.m_entries) {
        PageCandidate page{ e.m_url, static_cast<int64_t>(e.m_time) * 1000000, nullptr, {}, {} };
        page.openNow = open && open->count(e.m_url);
        if (!page.openNow || m_keepsOpen)
            m_candidates.push_back(std::move(page));
    }
}

void MergedSelection::AddVisits(const BrowserDescriptor* browser, const std::string& profile,
                                const std::vector<BrowserVisit>& visits, const std::wstring& program,
                                const std::wstring& profileName, LaunchCommand::Browser launch)
{
    for (const BrowserVisit& v : visits) {
        if (v.openNow && !m_keepsOpen)
            continue;
        m_candidates.push_back({ v.url, v.timeUs, browser, profile, program, v.title, profileName, v.openNow });
        m_candidates.back().launch = launch;
    }
}

std::vector<size_t> MergedSelection::Kept(bool repeatsOfTheCache) const
{
    // Which source keeps each address: one where it is not open now, then the latest visit;
    // on a tie the one added first.
    std::map<std::string, size_t> keeper;
    for (size_t i = 0; i < m_candidates.size(); ++i) {
        auto found = keeper.emplace(m_candidates[i].url, i);
        const PageCandidate& c = m_candidates[i];
        const PageCandidate& best = m_candidates[found.first->second];
        if (!found.second && (c.openNow != best.openNow ? !c.openNow : c.timeUs > best.timeUs))
            found.first->second = i;
    }
    std::vector<size_t> kept;
    for (size_t i = 0; i < m_candidates.size(); ++i) {
        const PageCandidate& c = m_candidates[i];
        const PageCandidate& best = m_candidates[keeper[c.url]];
        // The URL cache's own repeats of an address stay, as its set kept them.
        bool sameSourceAsBest = c.browser == best.browser && c.profile == best.profile;
        if (&c == &best || (repeatsOfTheCache && !c.browser && sameSourceAsBest))
            kept.push_back(i);
    }
    // Newest first to cut, on a tie in the order added.
    std::stable_sort(kept.begin(), kept.end(),
                     [&](size_t a, size_t b) { return m_candidates[a].timeUs > m_candidates[b].timeUs; });
    // The open ones kept take no place: the latest `capacity` that could be opened stay.
    size_t places = 0, end = 0;
    while (end < kept.size() && places < m_capacity)
        places += m_candidates[kept[end++]].openNow ? 0 : 1;
    kept.resize(end);
    return kept;
}

std::vector<PageCandidate> MergedSelection::OldestFirst() const
{
    std::vector<size_t> kept = Kept(true);
    std::vector<PageCandidate> result;
    for (auto it = kept.rbegin(); it != kept.rend(); ++it)
        result.push_back(m_candidates[*it]);
    return result;
}

std::vector<PageCandidate> MergedSelection::NewestFirst() const
{
    std::vector<PageCandidate> result;
    for (size_t i : Kept(false))
        result.push_back(m_candidates[i]);
    return result;
}

#include "MergedSelection.h"
#include <algorithm>
#include <map>

void MergedSelection::AddUrlCache(const RecentSet& recent)
{
    for (const HistoryEntry& e : recent.m_entries)
        m_candidates.push_back({ e.m_url, static_cast<int64_t>(e.m_time) * 1000000, nullptr, {}, {} });
}

void MergedSelection::AddVisits(const BrowserDescriptor* browser, const std::string& profile,
                                const std::vector<BrowserVisit>& visits,
                                const std::wstring& program)
{
    for (const BrowserVisit& v : visits)
        m_candidates.push_back({ v.url, v.timeUs, browser, profile, program });
}

std::vector<PageCandidate> MergedSelection::OldestFirst() const
{
    // Which source keeps each address: the latest visit; on a tie the one added first.
    std::map<std::string, size_t> keeper;
    for (size_t i = 0; i < m_candidates.size(); ++i) {
        auto found = keeper.emplace(m_candidates[i].url, i);
        if (!found.second && m_candidates[i].timeUs > m_candidates[found.first->second].timeUs)
            found.first->second = i;
    }
    std::vector<size_t> kept;
    for (size_t i = 0; i < m_candidates.size(); ++i) {
        const PageCandidate& c = m_candidates[i];
        const PageCandidate& best = m_candidates[keeper[c.url]];
        // The URL cache's own repeats of an address stay, as its set kept them.
        bool sameSourceAsBest = c.browser == best.browser && c.profile == best.profile;
        if (&c == &best || (!c.browser && sameSourceAsBest))
            kept.push_back(i);
    }
    // Newest first to cut, on a tie in the order added; then handed out oldest first.
    std::stable_sort(kept.begin(), kept.end(),
                     [&](size_t a, size_t b) { return m_candidates[a].timeUs > m_candidates[b].timeUs; });
    if (kept.size() > m_capacity)
        kept.resize(m_capacity);
    std::vector<PageCandidate> result;
    for (auto it = kept.rbegin(); it != kept.rend(); ++it)
        result.push_back(m_candidates[*it]);
    return result;
}

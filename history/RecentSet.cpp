#include "RecentSet.h"

void RecentSet::Add(const HistoryEntry& e)
{
    if (m_entries.size() < m_capacity) {
        m_entries.insert(e);
        return;
    }
    // Full (or no room at all): only a later entry displaces the earliest.
    if (m_entries.empty())
        return;
    auto first = m_entries.begin();
    if (*first < e) {
        if (m_entries.insert(e).second)
            m_entries.erase(m_entries.begin());
    }
}

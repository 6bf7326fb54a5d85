#include "HistoryEntry.h"

bool HistoryEntry::operator<(const HistoryEntry& other) const
{
    if (m_hasTime && other.m_hasTime)
        return m_time < other.m_time;
    // std::string compares through char_traits<char>, which compares as unsigned char.
    return m_url.compare(other.m_url) < 0;
}

// The N entries with the latest distinct visit times among those offered.
#pragma once
#include "EntrySet.h"
#include <cstdint>

class RecentSet {
public:
    explicit RecentSet(uint32_t capacity) : m_capacity(capacity) {}
    virtual ~RecentSet() = default;

    // Keeps e when there is room, or when it is later than the earliest kept entry, which it
    // then replaces. An entry with the time of a kept one is refused.
    void Add(const HistoryEntry& e);
    // Whether an entry with this time could be kept; lets a caller skip building one.
    bool MayAccept(int32_t time) const
    {
        if (m_entries.size() < m_capacity)
            return true;
        return !m_entries.empty() && m_entries.begin()->m_time < time;
    }

    EntrySet m_entries;
    uint32_t m_capacity;
};

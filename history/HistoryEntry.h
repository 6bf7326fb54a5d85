// One candidate of the selection: a URL, and the time of its last visit where it has one.
#pragma once
#include <cstdint>
#include <string>

class HistoryEntry {
public:
    HistoryEntry() = default;
    HistoryEntry(std::string url, int32_t time, bool hasTime) : m_url(std::move(url)), m_time(time), m_hasTime(hasTime) {}
    virtual ~HistoryEntry() = default;
    HistoryEntry(const HistoryEntry&) = default;
    HistoryEntry& operator=(const HistoryEntry&) = default;
    HistoryEntry(HistoryEntry&&) = default;
    HistoryEntry& operator=(HistoryEntry&&) = default;

    // Timed entries order by time, all others by the URL's bytes (unsigned, no folding).
    bool operator<(const HistoryEntry& other) const;

    std::string m_url;       // bytes in the ANSI code page
    int32_t m_time = 0;      // seconds since 1970-01-01 00:00 UTC, when m_hasTime
    bool m_hasTime = false;
};

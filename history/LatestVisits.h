// The latest visit of each address, newest first, for at most `capacity` addresses. A reader
// offers a history's visits in descending time order and stops when the set is full, so that
// memory and work stay bounded by the count, not by the history's size. A history is written
// by web pages: an address that is too long, empty, holds a zero byte, has no scheme, runs a
// script or carries its own content (javascript:, vbscript:, data:: never opened, so it takes
// no place), or a time of 0, before 1970 or far in the future is left out.
#pragma once
#include "BrowserVisit.h"
#include <atomic>
#include <cstddef>
#include <set>
#include <string>
#include <vector>

class LatestVisits {
public:
    // httpOnly keeps http:// and https:// addresses only.
    LatestVisits(size_t capacity, int64_t nowUs, bool httpOnly);

    // Addresses to pass over (pages that are open already); older pages take their places.
    void Skip(std::set<std::string> urls) { m_skip = std::move(urls); }
    // Addresses open now, kept and marked instead: they take no place of the others, so the
    // set still holds the latest `capacity` that are not open (and at most as many open ones).
    void Mark(std::set<std::string> urls) { m_marked = std::move(urls); }
    // Once `*stop` is true, the set counts as full: it takes nothing more, and the reader,
    // which asks at every visit it walks, stops.
    void StopWhen(const std::atomic<bool>* stop) { m_stop = stop; }

    // False once the set is full: the reader can stop. The title (UTF-8, may be null) is kept
    // up to kLongestTitle bytes, cut where a character starts.
    bool Offer(const char* url, size_t length, int64_t timeUs, const char* title = nullptr, size_t titleLength = 0);
    bool Full() const { return m_unmarked >= m_capacity || (m_stop && m_stop->load()); }
    const std::vector<BrowserVisit>& Visits() const { return m_visits; }
    size_t Capacity() const { return m_capacity; }
    // The latest visit time that counts (microseconds since 1970).
    int64_t LatestAcceptedUs() const { return m_nowUs + kFutureSlackUs; }

    static constexpr size_t kLongestUrl = 32 * 1024;
    static constexpr size_t kLongestTitle = 2048;
    // A visit up to a day ahead of the clock still counts (clocks differ); later ones do not.
    static constexpr int64_t kFutureSlackUs = 24LL * 3600 * 1000000;

private:
    size_t m_capacity;
    int64_t m_nowUs;
    bool m_httpOnly;
    std::vector<BrowserVisit> m_visits;
    std::set<std::string> m_seen;
    std::set<std::string> m_skip;
    std::set<std::string> m_marked;
    size_t m_unmarked = 0;
    size_t m_markedKept = 0;
    const std::atomic<bool>* m_stop = nullptr;
};

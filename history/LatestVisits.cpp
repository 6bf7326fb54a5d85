#include "LatestVisits.h"
#include "../text/TitleText.h"
#include "../text/UrlText.h"
#include <cstring>

LatestVisits::LatestVisits(size_t capacity, int64_t nowUs, bool httpOnly)
    : m_capacity(capacity), m_nowUs(nowUs), m_httpOnly(httpOnly)
{
}

bool LatestVisits::Offer(const char* url, size_t length, int64_t timeUs, const char* title, size_t titleLength)
{
    if (Full())
        return false;
    if (!url || length == 0 || length > kLongestUrl || std::memchr(url, '\0', length))
        return true;
    if (timeUs <= 0 || timeUs > m_nowUs + kFutureSlackUs)
        return true;
    if (!UrlText::HasScheme(url, length) || UrlText::IsScript(url, length) ||
        (m_httpOnly && !UrlText::IsHttp(url, length)))
        return true;
    std::string address(url, length);
    if (m_skip.count(address))
        return true;
    // Offered newest first: the first visit of an address is its latest.
    if (!m_seen.insert(address).second)
        return true;
    const bool open = m_marked.count(address) != 0;
    if (open && m_markedKept >= m_capacity)
        return true;  // as many open pages are newer: it could never be among the latest
    ++(open ? m_markedKept : m_unmarked);
    BrowserVisit visit{ std::move(address), timeUs, {}, open };
    if (title)
        visit.title = TitleText::Prefix(std::string_view(title, titleLength), kLongestTitle);
    m_visits.push_back(std::move(visit));
    return !Full();
}

#include "LatestVisits.h"
#include <cstring>

LatestVisits::LatestVisits(size_t capacity, int64_t nowUs, bool httpOnly)
    : m_capacity(capacity), m_nowUs(nowUs), m_httpOnly(httpOnly)
{
}

bool LatestVisits::HasScheme(const char* url, size_t length)
{
    auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (length < 2 || !letter(url[0]))
        return false;
    for (size_t i = 1; i < length; ++i) {
        char c = url[i];
        if (c == ':')
            return true;
        if (!letter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.')
            return false;
    }
    return false;
}

bool LatestVisits::IsHttp(const char* url, size_t length)
{
    auto starts = [&](const char* prefix) {
        size_t n = std::strlen(prefix);
        if (length < n)
            return false;
        for (size_t i = 0; i < n; ++i) {
            char c = url[i];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            if (c != prefix[i])
                return false;
        }
        return true;
    };
    return starts("http://") || starts("https://");
}

bool LatestVisits::Offer(const char* url, size_t length, int64_t timeUs)
{
    if (Full())
        return false;
    if (!url || length == 0 || length > kLongestUrl || std::memchr(url, '\0', length))
        return true;
    if (timeUs <= 0 || timeUs > m_nowUs + kFutureSlackUs)
        return true;
    if (!HasScheme(url, length) || (m_httpOnly && !IsHttp(url, length)))
        return true;
    std::string address(url, length);
    // Offered newest first: the first visit of an address is its latest.
    if (!m_seen.insert(address).second)
        return true;
    m_visits.push_back({ std::move(address), timeUs });
    return !Full();
}

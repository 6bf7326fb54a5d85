#include "UrlText.h"
#include <cstring>
#include <initializer_list>

bool UrlText::HasScheme(const char* url, size_t length)
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

bool UrlText::IsHttp(const char* url, size_t length)
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

bool UrlText::IsScript(const char* url, size_t length)
{
    for (const char* scheme : { "javascript:", "vbscript:", "data:" }) {
        size_t n = std::strlen(scheme);
        bool match = length >= n;
        for (size_t i = 0; match && i < n; ++i) {
            char c = url[i];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            match = c == scheme[i];
        }
        if (match)
            return true;
    }
    return false;
}

std::string_view UrlText::AddressOfHistoryName(const char* name)
{
    std::string_view whole(name);
    const char prefix[] = "visited:";
    for (size_t i = 0; i + 1 < sizeof prefix; ++i) {
        char c = i < whole.size() ? whole[i] : '\0';
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i])
            return whole;
    }
    size_t at = whole.find('@');
    return at == std::string_view::npos ? whole : whole.substr(at + 1);
}

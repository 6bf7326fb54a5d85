// What an address looks like from its text alone.
#pragma once
#include <cstddef>
#include <string_view>

class UrlText {
public:
    // "scheme:" first: a letter, then letters, digits, "+", "-" or ".", then ":".
    static bool HasScheme(const char* url, size_t length);
    // http:// or https://, in any case.
    static bool IsHttp(const char* url, size_t length);
    // javascript:, vbscript: or data:, in any case.
    static bool IsScript(const char* url, size_t length);
    static bool IsScript(std::string_view url) { return IsScript(url.data(), url.size()); }
    // The address that a URL-cache history name stands for: what follows "Visited: <user>@",
    // or the whole name when it is not one (so any address passes through unchanged).
    static std::string_view AddressOfHistoryName(const char* name);
};

// What an address looks like from its text alone.
#pragma once
#include <cstddef>

class UrlText {
public:
    // "scheme:" first: a letter, then letters, digits, "+", "-" or ".", then ":".
    static bool HasScheme(const char* url, size_t length);
    // http:// or https://, in any case.
    static bool IsHttp(const char* url, size_t length);
    // javascript:, vbscript: or data:, in any case.
    static bool IsScript(const char* url, size_t length);
};

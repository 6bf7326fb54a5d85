// Conversions between wide texts and UTF-8 (paths handed to SQLite, addresses from histories).
#pragma once
#include <string>

class Utf8Text {
public:
    static std::string FromWide(const std::wstring& text);
    static std::wstring ToWide(const std::string& text);
};

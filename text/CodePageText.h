// Conversions between wide texts and byte strings in a code page of the platform.
#pragma once
#include <string>

class CodePageText {
public:
    static std::wstring ToWide(const std::string& text, unsigned codePage);
    static std::string FromWide(const std::wstring& text, unsigned codePage);
};

// Conversions between the program's wide texts and byte strings in the ANSI code page.
#pragma once
#include <string>

class AnsiText {
public:
    static std::wstring ToWide(const std::string& text);
    static std::string FromWide(const std::wstring& text);
};

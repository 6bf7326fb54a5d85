// Text rules of the numeric data exchange, free of the platform so they can be tested anywhere.
#pragma once
#include <initializer_list>
#include <string>

class NumberText {
public:
    // Blanks around one run of decimal digits that fits 32 bits; nothing else is a number.
    static bool ParseUnsigned(const std::wstring& text, unsigned* value);
    // Replaces %1 and %2 in a message by the two bounds.
    static std::wstring FormatRange(const std::wstring& pattern, unsigned low, unsigned high);
    // Replaces the first "%d" of a message by the first number, the next by the next, and so on.
    static std::wstring FillIn(std::wstring pattern, std::initializer_list<long long> numbers);
};

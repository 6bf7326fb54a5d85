#include "NumberText.h"
#include <cstdint>

namespace {
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
}

bool NumberText::ParseUnsigned(const std::wstring& text, unsigned* value)
{
    size_t i = 0, n = text.size();
    while (i < n && IsBlank(text[i]))
        ++i;
    size_t first = i;
    uint64_t v = 0;
    for (; i < n && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        v = v * 10 + static_cast<unsigned>(text[i] - L'0');
        if (v > UINT32_MAX)
            return false;
    }
    if (i == first)
        return false;
    while (i < n && IsBlank(text[i]))
        ++i;
    if (i != n)
        return false;
    *value = static_cast<unsigned>(v);
    return true;
}

std::wstring NumberText::FormatRange(const std::wstring& pattern, unsigned low, unsigned high)
{
    std::wstring out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'%' && i + 1 < pattern.size() && (pattern[i + 1] == L'1' || pattern[i + 1] == L'2')) {
            out += std::to_wstring(pattern[i + 1] == L'1' ? low : high);
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::wstring NumberText::FillIn(std::wstring pattern, std::initializer_list<long long> numbers)
{
    size_t from = 0;
    for (long long n : numbers) {
        size_t at = pattern.find(L"%d", from);
        if (at == std::wstring::npos)
            break;
        const std::wstring digits = std::to_wstring(n);
        pattern.replace(at, 2, digits);
        from = at + digits.size();
    }
    return pattern;
}

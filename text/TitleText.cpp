#include "TitleText.h"
#include <vector>

namespace {
bool IsHidden(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}
bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool IsBlank(char16_t c) { return c == u' ' || c == 0x3000 || c == 0xA0; }
}

std::string TitleText::Prefix(std::string_view text, size_t bytes)
{
    if (text.size() <= bytes)
        return std::string(text);
    while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80)
        --bytes;
    return std::string(text.substr(0, bytes));
}

std::u16string TitleText::Clean(std::u16string_view text)
{
    std::u16string shown;
    std::vector<size_t> starts;  // where each character taken starts
    for (size_t i = 0; i < text.size() && starts.size() <= kLongestShown; ++i) {
        char16_t c = text[i];
        if (IsHidden(c) || (starts.empty() && IsBlank(c)))
            continue;
        starts.push_back(shown.size());
        if (IsHigh(c) && i + 1 < text.size() && IsLow(text[i + 1])) {
            shown += c;
            shown += text[++i];
        } else {
            shown += IsHigh(c) || IsLow(c) ? char16_t(0xFFFD) : c;
        }
    }
    const bool cut = starts.size() > kLongestShown;
    if (cut)
        shown.resize(starts[kLongestShown - 1]);  // room for the mark that says so
    while (!shown.empty() && IsBlank(shown.back()))
        shown.pop_back();
    if (cut)
        shown += u'\u2026';
    return shown;
}

#ifdef _WIN32
std::wstring TitleText::Clean(const std::wstring& text)
{
    std::u16string shown = Clean(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
    return std::wstring(shown.begin(), shown.end());
}
#endif

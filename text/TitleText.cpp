#include "TitleText.h"
#include <cstdint>
#include <vector>

namespace {
bool IsControl(char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }
bool IsDirection(char16_t c) { return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069); }
bool IsHidden(char16_t c) { return IsControl(c) || IsDirection(c); }
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

std::string TitleText::Utf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (IsHigh(text[i]) && i + 1 < text.size() && IsLow(text[i + 1]))
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00u);
        else if (IsHigh(text[i]) || IsLow(text[i]))
            c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | c >> 18);
            out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::u16string TitleText::Clean(std::u16string_view text, size_t longest)
{
    // What trails the last character that shows counts for nothing.
    while (!text.empty() && (IsBlank(text.back()) || IsHidden(text.back())))
        text.remove_suffix(1);
    std::u16string shown;
    std::vector<size_t> starts;  // where each character taken starts
    for (size_t i = 0; i < text.size() && starts.size() <= longest; ++i) {
        // A line break or tab between words still parts them.
        char16_t c = IsControl(text[i]) ? u' ' : text[i];
        if (IsDirection(c) || (starts.empty() && IsBlank(c)))
            continue;
        starts.push_back(shown.size());
        if (IsHigh(c) && i + 1 < text.size() && IsLow(text[i + 1])) {
            shown += c;
            shown += text[++i];
        } else {
            shown += IsHigh(c) || IsLow(c) ? char16_t(0xFFFD) : c;
        }
    }
    const bool cut = starts.size() > longest;
    if (cut)
        shown.resize(longest > 0 ? starts[longest - 1] : 0);  // room for the mark that says so
    while (!shown.empty() && IsBlank(shown.back()))
        shown.pop_back();
    if (cut)
        shown += u'\u2026';
    return shown;
}

std::u16string TitleText::Address(std::u16string_view address)
{
    static const char16_t kHex[] = u"0123456789ABCDEF";
    std::u16string shown;
    shown.reserve(address.size());
    for (char16_t c : address) {
        if (!IsHidden(c)) {
            shown += c;
            continue;
        }
        // Each of these is one to three bytes in UTF-8.
        unsigned char bytes[3];
        size_t n = 0;
        if (c < 0x80) {
            bytes[n++] = static_cast<unsigned char>(c);
        } else if (c < 0x800) {
            bytes[n++] = static_cast<unsigned char>(0xC0 | (c >> 6));
            bytes[n++] = static_cast<unsigned char>(0x80 | (c & 0x3F));
        } else {
            bytes[n++] = static_cast<unsigned char>(0xE0 | (c >> 12));
            bytes[n++] = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
            bytes[n++] = static_cast<unsigned char>(0x80 | (c & 0x3F));
        }
        for (size_t i = 0; i < n; ++i) {
            shown += u'%';
            shown += kHex[bytes[i] >> 4];
            shown += kHex[bytes[i] & 0xF];
        }
    }
    return shown;
}

std::u16string TitleText::Into(std::u16string_view pattern, std::u16string_view text)
{
    const size_t at = pattern.find(u"%s");
    if (at == std::u16string_view::npos)
        return std::u16string(pattern);
    std::u16string out(pattern.substr(0, at));
    out += Clean(text);
    out += pattern.substr(at + 2);
    return out;
}

#ifdef _WIN32
std::wstring TitleText::Into(const std::wstring& pattern, const std::wstring& text)
{
    const auto view = [](const std::wstring& w) {
        return std::u16string_view(reinterpret_cast<const char16_t*>(w.data()), w.size());
    };
    std::u16string shown = Into(view(pattern), view(text));
    return std::wstring(shown.begin(), shown.end());
}

std::wstring TitleText::Address(const std::wstring& address)
{
    std::u16string shown = Address(std::u16string_view(reinterpret_cast<const char16_t*>(address.data()), address.size()));
    return std::wstring(shown.begin(), shown.end());
}

std::wstring TitleText::Clean(const std::wstring& text, size_t longest)
{
    std::u16string shown =
        Clean(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()), longest);
    return std::wstring(shown.begin(), shown.end());
}
#endif

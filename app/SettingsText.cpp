#include "SettingsText.h"

namespace {
// The blanks the profile code trims: tab to CR, ^Z (an old end-of-file mark) and space.
bool IsBlank(char16_t c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20; }

// Names compare with only the Latin letters' case aside, as Wine's wcsnicmp does.
bool SameName(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const char16_t x = a[i] >= u'A' && a[i] <= u'Z' ? static_cast<char16_t>(a[i] + 0x20) : a[i];
        const char16_t y = b[i] >= u'A' && b[i] <= u'Z' ? static_cast<char16_t>(b[i] + 0x20) : b[i];
        if (x != y)
            return false;
    }
    return true;
}

// A name asked for is a zero-terminated string to the calls.
std::u16string_view UpToZero(std::u16string_view text) { return text.substr(0, text.find(u'\0')); }

std::u16string_view Trimmed(std::u16string_view text)
{
    size_t from = 0;
    size_t to = text.size();
    while (from < to && IsBlank(text[from]))
        ++from;
    while (to > from && IsBlank(text[to - 1]))
        --to;
    return text.substr(from, to - from);
}

// One character of UTF-8 the way Wine's MultiByteToWideChar takes it: a bad sequence is one
// U+FFFD up to the first byte that does not continue it, and a sequence cut by the file's end
// takes the rest of the file with it.
uint32_t NextUtf8(const unsigned char*& p, const unsigned char* end)
{
    const unsigned char lead = *p++;
    if (lead < 0x80)
        return lead;
    const size_t length = lead >= 0xC2 && lead <= 0xDF ? 1 : lead >= 0xE0 && lead <= 0xEF ? 2 : lead >= 0xF0 && lead <= 0xF4 ? 3 : 0;
    static const unsigned char kMask[4] = { 0x7F, 0x1F, 0x0F, 0x07 };
    uint32_t code = lead & kMask[length];
    if (length > static_cast<size_t>(end - p)) {
        p = end;
        return ~0u;
    }
    for (size_t left = length; left > 0; --left) {
        const unsigned c = *p ^ 0x80u;
        if (c >= 0x40)
            return ~0u;
        code = code << 6 | c;
        if (left == 2 && code >= (0x110000 >> 6))
            return ~0u;  // past U+10FFFF: this byte is looked at again
        ++p;
        if ((left == 3 && code < 0x10) || (left == 2 && (code < 0x20 || (code >= (0xD800 >> 6) && code <= (0xDFFF >> 6)))))
            return ~0u;  // too long a form, or a surrogate
    }
    return length && code >= 0x80 ? code : ~0u;
}

std::u16string FromUtf8(const std::string& bytes, size_t from)
{
    std::u16string text;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data()) + from;
    const unsigned char* end = reinterpret_cast<const unsigned char*>(bytes.data()) + bytes.size();
    while (p < end) {
        const uint32_t code = NextUtf8(p, end);
        if (code == ~0u) {
            text += u'\xFFFD';
        } else if (code > 0xFFFF) {
            text += static_cast<char16_t>(0xD800 | ((code - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 | (code & 0x3FF));
        } else {
            text += static_cast<char16_t>(code);
        }
    }
    return text;
}

// Wine reads a last odd byte as a character of its own, with the byte past the file's end
// (a zero when seen) as its upper half, in either byte order.
std::u16string FromUtf16(const std::string& bytes, size_t from, bool bigEndian)
{
    std::u16string text;
    size_t i = from;
    for (; i + 1 < bytes.size(); i += 2) {
        const unsigned char first = static_cast<unsigned char>(bytes[i]);
        const unsigned char second = static_cast<unsigned char>(bytes[i + 1]);
        text += static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    if (i < bytes.size())
        text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]));
    return text;
}

// RtlUnicodeStringToInteger with base 0, as GetPrivateProfileInt calls it: leading control
// characters and blanks, one sign, "0x", "0o" or "0b", then digits up to the first that is
// not one; no overflow check, the result is the lowest 32 bits.
unsigned ParseNumber(std::u16string_view text, bool* anyDigit = nullptr)
{
    size_t i = 0;
    while (i < text.size() && text[i] <= u' ')
        ++i;
    bool minus = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        minus = text[i++] == u'-';
    unsigned base = 10;
    const size_t digits = i;
    if (text.size() - i >= 2 && text[i] == u'0') {
        const char16_t mark = text[i + 1];
        base = mark == u'x' ? 16 : mark == u'o' ? 8 : mark == u'b' ? 2 : 10;
        if (base != 10)
            i += 2;
    }
    if (anyDigit)  // the "0" of a base's mark is one
        *anyDigit = i > digits || (i < text.size() && text[i] >= u'0' && text[i] <= u'9');
    uint32_t total = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i];
        const unsigned digit = c >= u'0' && c <= u'9' ? c - u'0'
                               : c >= u'A' && c <= u'Z' ? c - u'A' + 10
                               : c >= u'a' && c <= u'z' ? c - u'a' + 10
                                                        : 99;
        if (digit >= base)
            break;
        total = total * base + digit;
    }
    return minus ? 0u - total : total;
}
}

SettingsText SettingsText::Parse(const std::string& fileBytes, const std::function<std::u16string(const std::string&)>& fromAnsi)
{
    const std::string bytes = fileBytes.substr(0, kMaxBytes);
    SettingsText settings;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        settings.m_text = FromUtf8(bytes, 3);
    else if (bytes.compare(0, 2, "\xFF\xFE") == 0)
        settings.m_text = FromUtf16(bytes, 2, false);
    else if (bytes.compare(0, 2, "\xFE\xFF") == 0)
        settings.m_text = FromUtf16(bytes, 2, true);
    else if (!bytes.empty())
        settings.m_text = fromAnsi(bytes);

    const std::u16string_view text = settings.m_text;
    const auto span = [&](std::u16string_view part) {
        part = UpToZero(part);
        return Span{ static_cast<uint32_t>(part.data() - text.data()), static_cast<uint32_t>(part.size()) };
    };
    settings.m_sections.push_back(Section{ Span{}, {} });
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find_first_of(u"\r\n", at);
        if (end == std::u16string_view::npos)
            end = text.size();
        const std::u16string_view line = Trimmed(text.substr(at, end - at));
        at = text.find_first_not_of(u"\r\n", end);
        if (at == std::u16string_view::npos)
            at = text.size();
        if (line.empty())
            continue;
        if (line[0] == u'[') {
            const size_t close = line.rfind(u']');
            if (close != std::u16string_view::npos) {
                settings.m_sections.push_back(Section{ span(Trimmed(line.substr(1, close - 1))), {} });
                continue;
            }
        }
        Key key;
        const size_t equals = line.find(u'=');
        if (equals == std::u16string_view::npos) {
            key.name = span(line);
        } else {
            key.name = span(Trimmed(line.substr(0, equals)));
            key.value = span(Trimmed(line.substr(equals + 1)));
            key.hasValue = true;
        }
        settings.m_sections.back().keys.push_back(key);
    }
    return settings;
}

const SettingsText::Key* SettingsText::Find(std::u16string_view section, std::u16string_view key) const
{
    // The names asked for are trimmed too; the first section of the name is the only one.
    section = Trimmed(UpToZero(section));
    key = Trimmed(UpToZero(key));
    for (const Section& s : m_sections) {
        if (!SameName(Text(s.name), section))
            continue;
        for (const Key& k : s.keys) {
            if (SameName(Text(k.name), key))
                return &k;
        }
        return nullptr;
    }
    return nullptr;
}

std::optional<std::u16string> SettingsText::Value(std::u16string_view section, std::u16string_view key) const
{
    const Key* found = Find(section, key);
    if (!found || !found->hasValue)
        return std::nullopt;
    std::u16string_view value = Text(found->value);
    if (value.size() > 1 && (value[0] == u'"' || value[0] == u'\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    return std::u16string(value);
}

std::u16string_view SettingsText::IntText(const Key& key) const
{
    // The call reads the text into 30 characters: 29 and the zero. A closing quote is cut
    // only when the rest after the opening one fits, and then the last character read goes.
    std::u16string_view value = Text(key.value);
    const bool quoted = value.size() > 1 && (value[0] == u'"' || value[0] == u'\'') && value.back() == value[0];
    if (quoted)
        value.remove_prefix(1);
    std::u16string_view read = value.substr(0, 29);
    if (quoted && value.size() <= 30)
        read.remove_suffix(1);
    return read;
}

unsigned SettingsText::Int(std::u16string_view section, std::u16string_view key, int defaultValue) const
{
    const Key* found = Find(section, key);
    if (!found || !found->hasValue)
        return static_cast<unsigned>(defaultValue);
    const std::u16string_view read = IntText(*found);
    return read.empty() ? static_cast<unsigned>(defaultValue) : ParseNumber(read);
}

bool SettingsText::IsNumber(std::u16string_view section, std::u16string_view key) const
{
    const Key* found = Find(section, key);
    if (!found || !found->hasValue)
        return true;  // missing: the default, which is one
    bool anyDigit = false;
    ParseNumber(IntText(*found), &anyDigit);
    return anyDigit;
}

bool SettingsText::HasSection(std::u16string_view section) const
{
    section = UpToZero(section);
    if (section.empty())
        return false;  // the list leaves out the keys above any section and "[]"
    for (const Section& s : m_sections) {
        if (SameName(Text(s.name), section))
            return true;
    }
    return false;
}

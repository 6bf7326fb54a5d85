// The settings file read once, then asked as the private-profile calls would ask it (their
// Wine code, kernel32's profile.c): Wine opens and parses the whole file again for each
// call, and the dialog's settings are more than thirty calls.
//
// The file's bytes are UTF-8 after EF BB BF, UTF-16 after FF FE or FE FF, else the ANSI code
// page. Lines end at CR or LF; blanks (tab to CR, ^Z, space) around a line, a section's name,
// a key's name and its value do not count. "[name]" starts a section: the name ends at the
// last "]", and a line without one is a key line like any other. A key line is "name=value"
// at the first "=", or only a name, which reads as missing. Names are compared with Latin
// letter case aside; of two sections of the same name only the first is looked in, and of two
// keys the first counts. Keys above the first section are that of the empty name. A zero
// character ends a name or value. ";" starts no comment of its own: such a line is a key
// whose name starts with ";", which no one asks for.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class SettingsText {
public:
    // Only this much of a file is read: the program's own file is a few hundred bytes, and a
    // huge one (a wrong file put in its place) must not take the memory or the time.
    static constexpr size_t kMaxBytes = 1024 * 1024;

    // `fromAnsi` converts bytes in the ANSI code page, zeros included, as MultiByteToWideChar
    // with CP_ACP does; it is not called for a file with a byte-order mark.
    static SettingsText Parse(const std::string& bytes, const std::function<std::u16string(const std::string&)>& fromAnsi);

    // GetPrivateProfileString's text: without one pair of enclosing quotes (" or '); nothing
    // when the key is missing or has no "=".
    std::optional<std::u16string> Value(std::u16string_view section, std::u16string_view key) const;
    // GetPrivateProfileInt: the value's first 29 characters read as a number ("-1" is
    // 4294967295, "0x10" 16, "12ab" 12, "ab" 0, digits past 32 bits wrap), defaultValue when the
    // value is missing or empty.
    unsigned Int(std::u16string_view section, std::u16string_view key, int defaultValue) const;
    // Whether Int reads a digit of the value at all ("abc" and "" read as 0, which is not what
    // they say); a missing key counts as a number (the default is one).
    bool IsNumber(std::u16string_view section, std::u16string_view key) const;
    // Whether GetPrivateProfileSectionNames lists the section (letter case aside, blanks count).
    bool HasSection(std::u16string_view section) const;
    // Whether the key has a value to read, even an empty one.
    bool HasKey(std::u16string_view section, std::u16string_view key) const { return Value(section, key).has_value(); }

private:
    struct Span {
        uint32_t at = 0;
        uint32_t size = 0;
    };
    struct Key {
        Span name;
        Span value;
        bool hasValue = false;
    };
    struct Section {
        Span name;
        std::vector<Key> keys;
    };

    std::u16string_view Text(Span span) const { return std::u16string_view(m_text).substr(span.at, span.size); }
    const Key* Find(std::u16string_view section, std::u16string_view key) const;
    // The part of a key's value that GetPrivateProfileInt reads.
    std::u16string_view IntText(const Key& key) const;

    std::u16string m_text;
    std::vector<Section> m_sections;  // in the file's order; the first has the empty name
};

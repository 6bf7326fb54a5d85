// Texts that web pages (or programs they reach) wrote, as the program shows them: a page's
// title, a profile's name. Such a text may hold anything: control characters, characters that
// turn the direction of what follows (and so disguise an address), or megabytes.
#pragma once
#include <string>
#include <string_view>

class TitleText {
public:
    // At most `bytes` bytes of UTF-8 `text`, cut where a character starts.
    static std::string Prefix(std::string_view text, size_t bytes);
    // As shown: each control character (C0, DEL, C1) a space, the embedding, override and
    // isolate characters (U+202A-U+202E, U+2066-U+2069) removed, a lone surrogate replaced by
    // U+FFFD, blanks at both ends trimmed, and at most `longest` characters (a pair of
    // surrogates is one), "…" ending a text that was cut.
    static std::u16string Clean(std::u16string_view text, size_t longest = kLongestShown);
    // An address as shown and copied: whole, with each control character and each embedding,
    // override or isolate character written as its UTF-8 bytes in %XX form (as a browser
    // writes what an address may not hold), so it says what it is and stays one line.
    static std::u16string Address(std::u16string_view address);
    // UTF-16 as UTF-8, each lone surrogate as U+FFFD.
    static std::string Utf8(std::u16string_view text);
    // A message `pattern` with its first "%s" replaced by `text` as Clean shows it.
    static std::u16string Into(std::u16string_view pattern, std::u16string_view text);
#ifdef _WIN32
    static std::wstring Into(const std::wstring& pattern, const std::wstring& text);
    static std::wstring Clean(const std::wstring& text, size_t longest = kLongestShown);
    static std::wstring Address(const std::wstring& address);
#endif

    static constexpr size_t kLongestShown = 512;
    // Long enough for any title a history gives (LatestVisits keeps 2,048 bytes).
    static constexpr size_t kLongestCopied = 4096;
};

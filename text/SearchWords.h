// What the list's search looks for: the words of a filter text, each of which a page's title
// or address must hold. Words are split at blanks (the ideographic space too); Latin letters
// match in either case, full-width ASCII as ASCII; every other character (Japanese, `%`, `_`)
// stands for itself. Texts are UTF-8 bytes, as the histories keep them.
#pragma once
#include <string>
#include <string_view>
#include <vector>

class SearchWords {
public:
    SearchWords() = default;
    explicit SearchWords(std::string_view utf8Text);

    bool Empty() const { return m_words.empty(); }
    std::vector<std::string> Words() const;
    // Whether each word is held by `first` or by `second`.
    bool Matches(std::string_view first, std::string_view second = {}) const;

    // Letters in one case: ASCII upper to lower, full-width ASCII to (lower) ASCII.
    static std::string Fold(std::string_view utf8);

    // At most this many words, each at most kLongestWord bytes; more is cut.
    static constexpr size_t kMostWords = 16;
    static constexpr size_t kLongestWord = 256;

private:
    // A folded word with its skip table: a text without full-width characters (nearly every
    // address and title) is searched in place, a few bytes looked at per word's length.
    struct Word {
        std::string text;
        unsigned char skip[256];
    };
    static bool Holds(const Word& word, std::string_view text);

    std::vector<Word> m_words;
};

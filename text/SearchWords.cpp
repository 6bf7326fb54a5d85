#include "SearchWords.h"
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace {
// UTF-8 of U+FF01..U+FF5E: EF BC 81..BF (U+FF01..U+FF3F), EF BD 80..9E (U+FF40..U+FF5E).
// Returns the ASCII character, or 0 when the three bytes at `p` are not one of them.
char FullWidthAscii(const unsigned char* p, const unsigned char* end)
{
    if (end - p < 3 || p[0] != 0xEF)
        return 0;
    if (p[1] == 0xBC && p[2] >= 0x81 && p[2] <= 0xBF)
        return static_cast<char>(p[2] - 0x81 + 0x21);
    if (p[1] == 0xBD && p[2] >= 0x80 && p[2] <= 0x9E)
        return static_cast<char>(p[2] - 0x80 + 0x60);
    return 0;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c; }

// Each byte in one case (ASCII letters only: the bytes of other characters stand for themselves).
struct FoldTable {
    unsigned char to[256];
    FoldTable()
    {
        for (int i = 0; i < 256; ++i)
            to[i] = static_cast<unsigned char>(Lower(static_cast<char>(i)));
    }
};
const FoldTable kFold;

// Folds `text` into `out` (reused: one allocation for many rows).
void FoldInto(std::string_view text, std::string& out)
{
    out.clear();
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* end = p + text.size();
    while (p < end) {
        if (*p == 0xEF) {
            if (char c = FullWidthAscii(p, end)) {
                out += Lower(c);
                p += 3;
                continue;
            }
        }
        out += Lower(static_cast<char>(*p++));
    }
}

bool IsBlank(const unsigned char* p, const unsigned char* end, size_t* length)
{
    if (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n') {
        *length = 1;
        return true;
    }
    if (end - p >= 3 && p[0] == 0xE3 && p[1] == 0x80 && p[2] == 0x80) {  // U+3000
        *length = 3;
        return true;
    }
    return false;
}

// Where a word may be cut: not inside a character.
size_t CutAt(const std::string& word, size_t most)
{
    if (word.size() <= most)
        return word.size();
    size_t at = most;
    while (at > 0 && (static_cast<unsigned char>(word[at]) & 0xC0) == 0x80)
        --at;
    return at;
}
}

std::string SearchWords::Fold(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    FoldInto(utf8, out);
    return out;
}

SearchWords::SearchWords(std::string_view utf8Text)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8Text.data());
    const unsigned char* end = p + utf8Text.size();
    std::string word;
    const auto finish = [&] {
        if (!word.empty() && m_words.size() < kMostWords) {
            std::string folded = Fold(word);
            folded.resize(CutAt(folded, kLongestWord));
            // The same word twice asks nothing more.
            if (std::none_of(m_words.begin(), m_words.end(), [&](const Word& w) { return w.text == folded; })) {
                Word w;
                w.text = std::move(folded);
                const size_t m = w.text.size();
                std::fill(std::begin(w.skip), std::end(w.skip), static_cast<unsigned char>(std::min<size_t>(m, 255)));
                for (size_t i = 0; i + 1 < m; ++i) {
                    const unsigned char c = static_cast<unsigned char>(w.text[i]);
                    const unsigned char shift = static_cast<unsigned char>(std::min<size_t>(m - 1 - i, 255));
                    w.skip[c] = shift;
                    if (c >= 'a' && c <= 'z')
                        w.skip[c - 0x20] = shift;
                }
                m_words.push_back(std::move(w));
            }
        }
        word.clear();
    };
    while (p < end) {
        size_t blank = 0;
        if (IsBlank(p, end, &blank)) {
            finish();
            p += blank;
        } else {
            word += static_cast<char>(*p++);
        }
    }
    finish();
}

std::vector<std::string> SearchWords::Words() const
{
    std::vector<std::string> words;
    for (const Word& w : m_words)
        words.push_back(w.text);
    return words;
}

// Horspool's search over the text's bytes in one case; a text with full-width characters
// (U+FF01..U+FF5E begin with 0xEF) is folded first.
bool SearchWords::Holds(const Word& word, std::string_view text)
{
    const size_t m = word.text.size(), n = text.size();
    if (memchr(text.data(), 0xEF, n)) {
        thread_local std::string folded;
        FoldInto(text, folded);
        return folded.find(word.text) != std::string::npos;
    }
    if (n < m)
        return false;
    const unsigned char* t = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* w = reinterpret_cast<const unsigned char*>(word.text.data());
    const unsigned char last = w[m - 1];
    for (size_t i = 0; i + m <= n;) {
        const unsigned char end = t[i + m - 1];
        if (kFold.to[end] == last) {
            size_t j = m - 1;
            while (j > 0 && kFold.to[t[i + j - 1]] == w[j - 1])
                --j;
            if (j == 0)
                return true;
        }
        i += word.skip[end];
    }
    return false;
}

bool SearchWords::Matches(std::string_view first, std::string_view second) const
{
    for (const Word& w : m_words)
        if (!Holds(w, first) && !Holds(w, second))
            return false;
    return true;
}

// Texts compared as Windows' own search and sort compare them for the user: letter case, width
// (full- and half-width forms) and kana type (hiragana, katakana) aside, in the user's locale.
#pragma once
#include <string>

class LocaleText {
public:
    // Whether `text` holds `part` (FindNLSStringEx); an empty part is held by every text.
    static bool Holds(const std::wstring& text, const std::wstring& part);
    // <0, 0, >0 as `a` sorts before, with or after `b` (CompareStringEx, digits as numbers).
    static int Compare(const std::wstring& a, const std::wstring& b);
};

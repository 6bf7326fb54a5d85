#include "UiLanguage.h"

namespace {
bool SameLetters(const std::u16string& text, const char* word)
{
    size_t i = 0;
    for (; i < text.size() && word[i]; ++i) {
        char16_t c = text[i] >= u'A' && text[i] <= u'Z' ? static_cast<char16_t>(text[i] - u'A' + u'a') : text[i];
        if (c != static_cast<char16_t>(word[i]))
            return false;
    }
    return i == text.size() && !word[i];
}

// Blanks at both ends do not count (a hand-edited file).
std::u16string Trimmed(const std::u16string& text)
{
    size_t from = text.find_first_not_of(u" \t");
    if (from == std::u16string::npos)
        return std::u16string();
    return text.substr(from, text.find_last_not_of(u" \t") - from + 1);
}
}

UiLanguage::Language UiLanguage::Choose(const std::u16string& setting, uint16_t userUiLanguage)
{
    const std::u16string value = Trimmed(setting);
    if (SameLetters(value, "ja"))
        return Japanese;
    if (SameLetters(value, "en"))
        return English;
    return (userUiLanguage & 0x3FF) == 0x11 ? Japanese : English;  // LANG_JAPANESE, any sublanguage
}

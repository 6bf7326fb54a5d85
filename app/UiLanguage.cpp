#include "UiLanguage.h"

namespace {
// Blanks at both ends do not count (a hand-edited file), nor the case of Latin letters.
std::u16string Normalized(const std::u16string& text)
{
    size_t from = text.find_first_not_of(u" \t");
    if (from == std::u16string::npos)
        return std::u16string();
    std::u16string value = text.substr(from, text.find_last_not_of(u" \t") - from + 1);
    for (char16_t& c : value)
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    return value;
}
}

UiLanguage::Language UiLanguage::Choose(const std::u16string& setting, uint16_t userUiLanguage)
{
    const std::u16string value = Normalized(setting);
    if (value == u"ja")
        return Japanese;
    if (value == u"en")
        return English;
    return (userUiLanguage & 0x3FF) == 0x11 ? Japanese : English;  // LANG_JAPANESE, any sublanguage
}

// The language the program speaks, chosen once at start: the settings file's `[UI] Language`
// ("ja" or "en", letter case aside) when it names one, else Japanese for a user whose Windows
// speaks Japanese and English for everyone else. "auto", an empty value and anything unknown
// leave the choice to the user's Windows.
#pragma once
#include <cstdint>
#include <string>

class UiLanguage {
public:
    enum Language { Japanese, English };

    // `userUiLanguage`: the user's UI language as Windows gives it (a LANGID).
    static Language Choose(const std::u16string& setting, uint16_t userUiLanguage);
    // The resources' language tag of each: ja-JP and en-US.
    static uint16_t ResourceTag(Language language) { return language == Japanese ? 0x0411 : 0x0409; }
};

// Texts compared as Windows' own search and sort compare them, under this process's user
// locale: what the list's filter and its ordering of titles rest on.
#include "../../framework/LocaleText.h"
#include <gtest/gtest.h>
#include <string>

TEST(LocaleText, HoldsWithWidthCaseAndKanaAside)
{
    const struct { const wchar_t* text; const wchar_t* part; bool holds; } cases[] = {
        { L"Zebra News", L"zebra", true },                 // letter case
        { L"ＺＥＢＲＡ ニュース", L"zebra", true },         // full-width letters
        { L"zebra", L"ＺＥＢ", true },
        { L"カタカナのページ", L"かたかな", true },         // kana type
        { L"ｶﾀｶﾅ", L"カタカナ", true },                    // half-width katakana
        { L"日本語のページ", L"にほんご", false },          // not by reading
        { L"100%_off", L"%_", true },                      // plain characters
        { L"100 off", L"%", false },
        { L"abc", L"", true },
        { L"", L"a", false },
        { L"apple pie", L"pie apple", false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.holds, LocaleText::Holds(c.text, c.part))
            << testing::PrintToString(std::wstring(c.text)) << " / " << testing::PrintToString(std::wstring(c.part));
}

TEST(LocaleText, CompareAsTheUsersSortDoes)
{
    EXPECT_LT(LocaleText::Compare(L"apple", L"Banana"), 0) << "letter case aside";
    EXPECT_LT(LocaleText::Compare(L"item 2", L"item 10"), 0) << "digits as numbers";
    EXPECT_EQ(0, LocaleText::Compare(L"ＡＢＣ", L"abc")) << "width aside";
    EXPECT_GT(LocaleText::Compare(L"b", L"a"), 0);
}

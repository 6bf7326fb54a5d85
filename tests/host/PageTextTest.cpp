// Texts that web pages wrote, as the program shows them: titles and profile names.
#include "history/ChromiumLocalState.h"
#include "text/TitleText.h"
#include <gtest/gtest.h>

TEST(TitleText, CleanTable)
{
    const std::u16string long600(600, u'x');
    const std::u16string face = u"\U0001F600";  // a pair of surrogates: one character
    std::u16string faces;
    for (int i = 0; i < 600; ++i)
        faces += face;
    std::u16string faces511;
    for (int i = 0; i < 511; ++i)
        faces511 += face;
    const struct { const char* what; std::u16string in, out; } cases[] = {
        { "plain", u"Example Domain", u"Example Domain" },
        { "Japanese as it is", u"日本語のページ　です", u"日本語のページ　です" },
        { "controls become blanks: words stay apart", u"a\tb\r\nc\x01\x7F\x85" u"d", u"a b  c   d" },
        { "controls at the ends trimmed with the blanks", u"\r\n\tTitle\r\n", u"Title" },
        { "direction overrides and isolates gone", u"evil\u202Egnp.exe\u2066x\u2069\u202A\u202B\u202C\u202D",
          u"evilgnp.exex" },
        { "marks that do not override stay", u"a\u200Fb", u"a\u200Fb" },
        { "blanks at the ends trimmed", u"  \u3000 title \u00A0 ", u"title" },
        { "only controls", u"\x01\x02", u"" },
        { "a lone surrogate replaced", std::u16string(u"a") + char16_t(0xD800) + u"b" + char16_t(0xDC00),
          u"a\uFFFDb\uFFFD" },
        { "exactly the longest", std::u16string(512, u'y'), std::u16string(512, u'y') },
        { "longer: cut with a mark", long600, std::u16string(511, u'x') + u"\u2026" },
        { "longer in pairs: never half a pair", faces, faces511 + u"\u2026" },
        { "controls do not count", std::u16string(512, u'z') + u"\x01\x01", std::u16string(512, u'z') },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.out, TitleText::Clean(c.in)) << c.what;
}

TEST(TitleText, PrefixCutsWhereACharacterStarts)
{
    EXPECT_EQ("abc", TitleText::Prefix("abc", 5));
    EXPECT_EQ("ab", TitleText::Prefix("abc", 2));
    EXPECT_EQ("あ", TitleText::Prefix("あい", 5)) << "the second character would be cut";
    EXPECT_EQ("", TitleText::Prefix("あ", 2));
}

TEST(ChromiumLocalState, ProfileNamesTable)
{
    const std::string longName(ChromiumLocalState::kLongestName + 10, 'n');
    const struct { const char* what; std::string json; std::map<std::string, std::string> names; } cases[] = {
        { "two profiles",
          R"({"profile":{"info_cache":{"Default":{"name":"Person 1","avatar_icon":"x"},"Profile 1":{"name":"仕事"}}}})",
          { { "Default", "Person 1" }, { "Profile 1", "仕事" } } },
        { "a name not a string, an entry not an object",
          R"({"profile":{"info_cache":{"Default":{"name":7},"Profile 1":"x","Profile 2":{"name":"ok"}}}})",
          { { "Profile 2", "ok" } } },
        { "a long name cut", R"({"profile":{"info_cache":{"Default":{"name":")" + longName + R"("}}}})",
          { { "Default", longName.substr(0, ChromiumLocalState::kLongestName) } } },
        { "no profile section", R"({"browser":{}})", {} },
        { "info_cache not an object", R"({"profile":{"info_cache":[1,2]}})", {} },
        { "not JSON", "{\"profile\":", {} },
        { "nested deep", std::string(100000, '[') + std::string(100000, ']'), {} },
        { "empty", "", {} },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.names, ChromiumLocalState::ProfileNames(c.json)) << c.what;
}

TEST(TitleText, AddressesStayWholeOnOneLine)
{
    const struct { std::u16string in, out; } cases[] = {
        { u"http://example.com/日本?q=1", u"http://example.com/日本?q=1" },
        { u"http://a/\tb\r\nc", u"http://a/%09b%0D%0Ac" },
        { u"http://a/\u202Egnp.exe", u"http://a/%E2%80%AEgnp.exe" },
        { u"http://a/\x85", u"http://a/%C2%85" },
        { std::u16string(5000, u'x'), std::u16string(5000, u'x') },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.out, TitleText::Address(c.in));
}

// A profile's name put into a message: cleaned, and never read as a pattern itself.
TEST(TitleText, IntoAMessage)
{
    EXPECT_EQ(u"「仕事」は壊れています", TitleText::Into(u"「%s」は壊れています", u"\u202E仕事\t"));
    EXPECT_EQ(u"「%s%d」: x", TitleText::Into(u"「%s」: x", u"%s%d"));
    EXPECT_EQ(u"no slot", TitleText::Into(u"no slot", u"name"));
    EXPECT_EQ(std::u16string(TitleText::kLongestShown - 1, u'n') + u"… %s",
              TitleText::Into(u"%s %s", std::u16string(5000, u'n')));
}

// The settings file read once: each value as the private-profile calls give it under Wine
// (the tables were also run against Wine 8's own calls, with a stand-in class over them).
#include "app/SettingsText.h"
#include <gtest/gtest.h>
#include <chrono>
#include <optional>
#include <string>

using namespace std::string_literals;

namespace {
// Stands in for the ANSI code page: each byte its own character, as in Latin-1.
std::u16string Latin1(const std::string& bytes)
{
    std::u16string text;
    for (unsigned char c : bytes)
        text += static_cast<char16_t>(c);
    return text;
}

SettingsText Read(const std::string& bytes) { return SettingsText::Parse(bytes, Latin1); }

const std::optional<std::u16string> kMissing;
}

TEST(SettingsText, ValueTable)
{
    const struct {
        const char* what;
        std::string file;
        std::u16string section, key;
        std::optional<std::u16string> value;
    } cases[] = {
        { "CR LF line ends", "[OPTION]\r\nOpenNumber=3\r\n", u"OPTION", u"OpenNumber", u"3" },
        { "LF line ends", "[OPTION]\nOpenNumber=3\n", u"OPTION", u"OpenNumber", u"3" },
        { "CR alone ends a line too", "[s]\rk=1\rj=2\r", u"s", u"j", u"2" },
        { "a last line without its end", "[s]\nk=1", u"s", u"k", u"1" },
        { "blank lines between", "\n\n[s]\r\n\r\n\nk=1\n\n", u"s", u"k", u"1" },
        { "blanks around the brackets, names and value", " [ s ] \n \tk \t=\t 1 \t\n", u"s", u"k", u"1" },
        { "blanks inside the value stay", "[s]\nk= a  b \n", u"s", u"k", u"a  b" },
        { "blanks around the names asked for do not count", "[s]\nk=1\n", u" s\t", u"\tk ", u"1" },
        { "vertical tab, form feed and ^Z are blanks", "[s]\nk\x0B=\x0C" "5\x1A\n", u"s", u"k", u"5" },
        { "a no-break space is no blank", "[s]\n\xA0k=1\n", u"s", u"k", kMissing },
        { "letter case of names aside", "[Option]\nopennumber=4\n", u"OPTION", u"OpenNumber", u"4" },
        { "only Latin letters' case is set aside", "[s]\n\xC4=1\n", u"s", u"\u00E4", kMissing },
        { "the first of two keys counts", "[s]\nk=1\nK=2\n", u"s", u"k", u"1" },
        { "the second section of a name is not looked in", "[s]\nk=1\n[S]\nj=3\n", u"s", u"j", kMissing },
        { "the first section of a name still is", "[s]\nk=1\n[S]\nk=2\n", u"s", u"k", u"1" },
        { "a first key without \"=\" hides the later one", "[s]\nk\nk=1\n", u"s", u"k", kMissing },
        { "a key without \"=\" is missing", "[s]\nk\n", u"s", u"k", kMissing },
        { "keys above any section: the empty name's", "k=3\n[s]\nk=4\n", u"", u"k", u"3" },
        { "... and not the first section's", "k=3\n[s]\nj=4\n", u"s", u"k", kMissing },
        { "\"[]\" is a second empty name, never looked in", "k=3\n[]\nj=9\n", u"", u"j", kMissing },
        { "no \"]\": a key line, and the keys stay where they were", "k=1\n[s\nj=2\n", u"", u"j", u"2" },
        { "no \"]\" with \"=\": a key named \"[s\"", "[s=1\n", u"", u"[s", u"1" },
        { "the name ends at the last \"]\"", "[a]b]\nk=1\n", u"a]b", u"k", u"1" },
        { "text after the last \"]\" is dropped", "[s] ; note\nk=1\n", u"s", u"k", u"1" },
        { "a value in double quotes loses them", "[s]\nk=\"  12 \"\n", u"s", u"k", u"  12 " },
        { "... in single quotes too", "[s]\nk='x'\n", u"s", u"k", u"x" },
        { "quotes that do not match stay", "[s]\nk=\"x'\n", u"s", u"k", u"\"x'" },
        { "a quote alone stays", "[s]\nk=\"\n", u"s", u"k", u"\"" },
        { "only the outer pair goes", "[s]\nk=\"\"x\"\"\n", u"s", u"k", u"\"x\"" },
        { "a quote inside stays", "[s]\nk=a\"b\"\n", u"s", u"k", u"a\"b\"" },
        { "\";\" starts no comment: a key named \";k\"", "[s]\n;k=1\n", u"s", u";k", u"1" },
        { "... so it hides no key", "[s]\n;k=1\n", u"s", u"k", kMissing },
        { "no comment after a value", "[s]\nk=1 ; one\n", u"s", u"k", u"1 ; one" },
        { "\"#\" is no comment either", "[s]\n#k=1\n", u"s", u"#k", u"1" },
        { "an empty value is there", "[s]\nk=\n", u"s", u"k", u"" },
        { "empty quotes are an empty value", "[s]\nk=\"\"\n", u"s", u"k", u"" },
        { "the value runs from the first \"=\"", "[s]\nk = a=b\n", u"s", u"k", u"a=b" },
        { "an empty key name", "[s]\n=v\n", u"s", u"", u"v" },
        { "a zero ends the value", "[s]\nk=5\0 6\n"s, u"s", u"k", u"5" },
        { "a zero ends the name", "[s]\nk\0x=5\n"s, u"s", u"k", u"5" },
        { "a zero ends the name asked for", "[s]\nk=5\n", u"s", u"k\0x"s, u"5" },
        { "a missing section", "[s]\nk=1\n", u"t", u"k", kMissing },
        { "a missing key", "[s]\nk=1\n", u"s", u"j", kMissing },
        { "the empty file", "", u"s", u"k", kMissing },
        { "UTF-8 after its mark", "\xEF\xBB\xBF[s]\nk=\xC3\xA9\xE3\x81\x82\n", u"s", u"k", u"\u00E9\u3042" },
        { "UTF-8 with its mark: the first section counts", "\xEF\xBB\xBF[s]\nk=1\n", u"s", u"k", u"1" },
        { "UTF-8 without a mark is the ANSI code page's", "[s]\nk=\xC3\xA9\n", u"s", u"k", u"\u00C3\u00A9" },
        { "a bad UTF-8 byte: one U+FFFD, the line end kept", "\xEF\xBB\xBF[s]\nk=1\xE3\x81\nj=2\n", u"s", u"j", u"2" },
        { "... and in the value", "\xEF\xBB\xBF[s]\nk=1\xE3\x81\n", u"s", u"k", u"1\uFFFD" },
        { "a surrogate in UTF-8 is bad", "\xEF\xBB\xBF[s]\nk=\xED\xA0\x80\n", u"s", u"k", u"\uFFFD\uFFFD" },
        { "a form too long is bad", "\xEF\xBB\xBF[s]\nk=\xC0\xAF\n", u"s", u"k", u"\uFFFD\uFFFD" },
        { "four bytes: a surrogate pair", "\xEF\xBB\xBF[s]\nk=\xF0\x9F\x98\x80\n", u"s", u"k", u"\U0001F600" },
        { "a sequence cut by the end takes the rest", "\xEF\xBB\xBF[s]\nk=\xF0=1", u"s", u"k", u"\uFFFD" },
        { "UTF-16LE after its mark", "\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0B\x30\n\0"s, u"s", u"k", u"\u3042" },
        { "UTF-16BE after its mark", "\xFE\xFF\0[\0s\0]\0\n\0k\0=\x30\x42\0\n"s, u"s", u"k", u"\u3042" },
        { "UTF-16: a last odd byte is a character", "\xFF\xFE[\0s\0]\0\n\0k\0=\0" "1\0" "2"s, u"s", u"k", u"12" },
        { "... in either byte order", "\xFE\xFF\0[\0s\0]\0\n\0k\0=\0" "1" "2"s, u"s", u"k", u"12" },
        { "a zero character in UTF-16 ends the value", "\xFF\xFE[\0s\0]\0\n\0k\0=\0" "1\0\0\0" "2\0"s, u"s", u"k", u"1" },
    };
    for (const auto& c : cases) {
        const SettingsText settings = Read(c.file);
        EXPECT_EQ(c.value, settings.Value(c.section, c.key)) << c.what;
        EXPECT_EQ(c.value.has_value(), settings.HasKey(c.section, c.key)) << c.what;
    }
}

TEST(SettingsText, IntTable)
{
    const std::string zeros28(28, '0');
    const struct { const char* what; std::string value; unsigned number; } cases[] = {
        { "decimal", "42", 42 },
        { "a minus wraps", "-1", 4294967295u },
        { "a plus", "+7", 7 },
        { "two signs: nothing read", "+-7", 0 },
        { "a blank after the sign ends it", "- 3", 0 },
        { "no digit: 0, not the default", "abc", 0 },
        { "digits up to the first other character", "42abc", 42 },
        { "a blank ends the number", "5 6", 5 },
        { "past 32 bits wraps", "4294967296", 0 },
        { "... and keeps the low bits", "4294967297", 1 },
        { "hexadecimal after 0x", "0x1F", 31 },
        { "0X is not hexadecimal", "0X1F", 0 },
        { "octal after 0o", "0o17", 15 },
        { "binary after 0b", "0b101", 5 },
        { "0x without digits", "0x", 0 },
        { "a minus before 0x", "-0x10", 4294967280u },
        { "leading zeros are decimal", "010", 10 },
        { "full-width digits are not digits", "\xEF\xBC\x91", 0 },  // "１"
        { "quotes go first", "\"5\"", 5 },
        { "blanks inside quotes are skipped", "\" 12\"", 12 },
        { "a control character is skipped like a blank", "\"\x01" "8\"", 8 },
        { "an empty value: the default", "", 7 },
        { "empty quotes: the default", "\"\"", 7 },
        { "only the first 29 characters are read", zeros28 + "42", 4 },
        { "29 digits wrap", std::string(40, '9'), 2684354559u },
        { "quoted, 29 after the opening quote: all read", "\"" + zeros28.substr(1) + "9\"", 9 },
        { "quoted, 30 after it: the 29th goes instead of the quote", "\"" + zeros28 + "9\"", 0 },
        { "quoted, longer: the opening quote goes, the end is cut", "\"" + zeros28 + "99\"", 9 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.number, Read("\xEF\xBB\xBF[s]\nk=" + c.value + "\n").Int(u"s", u"k", 7)) << c.what;
}

TEST(SettingsText, IntDefaults)
{
    const SettingsText settings = Read("[s]\nk\nj=\n");
    EXPECT_EQ(7u, settings.Int(u"s", u"missing", 7));
    EXPECT_EQ(4294967291u, settings.Int(u"s", u"missing", -5)) << "the default is returned as unsigned";
    EXPECT_EQ(7u, settings.Int(u"s", u"k", 7)) << "a key without \"=\"";
    EXPECT_EQ(7u, settings.Int(u"s", u"j", 7)) << "an empty value";
    EXPECT_EQ(7u, settings.Int(u"t", u"k", 7)) << "a missing section";
}

// Whether a value says a number at all, by the reading Int makes of it: a count that says
// none takes its default rather than the 0 that Int reads.
TEST(SettingsText, IsNumberTable)
{
    const struct { const char* what; std::string value; bool number; } cases[] = {
        { "digits", "42", true },
        { "a sign and blanks first", "  -1", true },
        { "digits then letters", "42abc", true },
        { "letters", "abc", false },
        { "empty", "", false },
        { "a sign alone", "-", false },
        { "in quotes, as Int reads it", "\"500\"", true },
        { "a base's mark: its 0 is read", "0x", true },
        { "a full-width digit is none", "\xEF\xBC\x95", false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.number, Read("\xEF\xBB\xBF[s]\nk=" + c.value + "\n").IsNumber(u"s", u"k")) << c.what;
    EXPECT_TRUE(Read("[s]\nj=abc\n").IsNumber(u"s", u"k")) << "a missing key: its default is a number";
}

TEST(SettingsText, SectionTable)
{
    const struct { const char* what; std::string file; std::u16string section; bool there; } cases[] = {
        { "a section with keys", "[s]\nk=1\n", u"s", true },
        { "a section without keys", "[s]\n", u"s", true },
        { "letter case aside", "[Browsers]\n", u"BROWSERS", true },
        { "blanks in the file do not count", "[ s ]\n", u"s", true },
        { "blanks asked for do: the names are compared as listed", "[s]\n", u" s", false },
        { "a second section of the name", "[s]\n[S]\n", u"s", true },
        { "keys above any section make no section", "k=1\n", u"", false },
        { "nor does \"[]\"", "[]\nk=1\n", u"", false },
        { "no \"]\": no section", "[s\nk=1\n", u"s", false },
        { "another section", "[s]\n", u"t", false },
        { "a name with a blank inside", "[a b]\n", u"a b", true },
        { "the empty file", "", u"s", false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.there, Read(c.file).HasSection(c.section)) << c.what;
}

TEST(SettingsText, AnsiConversionOnlyWithoutMark)
{
    std::string given;
    int calls = 0;
    const auto convert = [&](const std::string& bytes) {
        ++calls;
        given = bytes;
        return Latin1(bytes);
    };
    const std::string ansi = "[s]\nk=1\0 2\n"s;
    EXPECT_EQ(u"1", SettingsText::Parse(ansi, convert).Value(u"s", u"k"));
    EXPECT_EQ(1, calls);
    EXPECT_EQ(ansi, given) << "every byte, zeros included";

    SettingsText::Parse("\xEF\xBB\xBF[s]\n", convert);
    SettingsText::Parse("\xFF\xFE[\0]\0"s, convert);
    SettingsText::Parse("\xFE\xFF\0[\0]"s, convert);
    SettingsText::Parse("", convert);
    EXPECT_EQ(1, calls) << "a marked or empty file is not the ANSI code page's";
}

TEST(SettingsText, GarbledFilesGiveTheDefaults)
{
    const std::string files[] = {
        "\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\x01\0"s,
        "\xFF\xD8\xFF\xE0\0\x10JFIF\0"s,
        std::string(1000, '\0'),
        std::string(1000, '['),
        std::string(1000, ']'),
        std::string(1000, '='),
        "\xFF\xFE\xFF\xFE\xFF\xFE",
        "\xEF\xBB\xBF\xFF\xFF\xFF\xF0",
        "\xEF\xBB",
        "\xFF",
    };
    for (const std::string& file : files) {
        const SettingsText settings = Read(file);
        EXPECT_FALSE(settings.HasSection(u"OPTION"));
        EXPECT_EQ(kMissing, settings.Value(u"OPTION", u"OpenNumber"));
        EXPECT_EQ(3u, settings.Int(u"OPTION", u"OpenNumber", 3));
    }
}

TEST(SettingsText, OnlyTheFirstMegabyteIsRead)
{
    std::string file = "[s]\nk=1\n";
    while (file.size() < SettingsText::kMaxBytes)
        file += "filler=abcdefghijklmnopqrstuvwxyz\n";
    file += "[t]\nj=2\n";
    const auto start = std::chrono::steady_clock::now();
    const SettingsText settings = Read(file);
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(7u, settings.Int(u"s", u"missing", 7));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << "a large file takes no long time";
    EXPECT_EQ(u"1", settings.Value(u"s", u"k"));
    EXPECT_FALSE(settings.HasSection(u"t")) << "past the bound";

    const SettingsText lines = Read(std::string(SettingsText::kMaxBytes + 10, '\n') + "[s]\nk=1\n");
    EXPECT_FALSE(lines.HasSection(u"s"));
}

TEST(SettingsText, TheProgramsOwnFile)
{
    // As WritePrivateProfileString leaves it: CR LF, no blanks, ANSI.
    const SettingsText settings = Read(
        "[OPTION]\r\nOpenNumber=5\r\nTargetHttp=0\r\nQueryCancelExit=1\r\n"
        "[BROWSERS]\r\nChrome=0\r\n[LIST]\r\nLeft=-20\r\n[UI]\r\nLanguage=en\r\n");
    EXPECT_EQ(5u, settings.Int(u"OPTION", u"OpenNumber", 3));
    EXPECT_EQ(0u, settings.Int(u"OPTION", u"TargetHttp", 1));
    EXPECT_EQ(1u, settings.Int(u"OPTION", u"CloseAfterExecute", 1));
    EXPECT_EQ(0u, settings.Int(u"BROWSERS", u"Chrome", 1));
    EXPECT_EQ(static_cast<unsigned>(-20), settings.Int(u"LIST", u"Left", 0));
    EXPECT_EQ(u"en", settings.Value(u"UI", u"Language"));
    EXPECT_TRUE(settings.HasSection(u"BROWSERS"));
    EXPECT_FALSE(settings.HasSection(u"SOURCES"));
    EXPECT_TRUE(settings.HasKey(u"LIST", u"Left"));
    EXPECT_FALSE(settings.HasKey(u"LIST", u"Top"));
}

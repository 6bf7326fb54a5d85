// How a start is read: the command line, and the language the program speaks.
#include "app/CommandLine.h"
#include "app/UiLanguage.h"
#include <gtest/gtest.h>

TEST(CommandLine, SwitchesTable)
{
    using C = CommandLine;
    const struct { std::vector<std::u16string> args; C::Action action; bool quiet; std::u16string bad; bool windows = false; } cases[] = {
        { {}, C::Dialog, false, u"" },
        { { u"/reopen" }, C::Reopen, false, u"" },
        { { u"-REOPEN" }, C::Reopen, false, u"" },
        { { u"/Reopen", u"-Quiet" }, C::Reopen, true, u"" },
        { { u"/quiet", u"/reopen" }, C::Reopen, true, u"" },
        { { u"/list" }, C::List, false, u"" },
        { { u"-LiSt" }, C::List, false, u"" },
        { { u"/?" }, C::Usage, false, u"" },
        { { u"-?" }, C::Usage, false, u"" },
        { { u"/reopen", u"/list" }, C::Bad, false, u"/list" },
        { { u"/reopen", u"/reopen" }, C::Bad, false, u"/reopen" },
        { { u"/quiet" }, C::Bad, false, u"/quiet" },
        { { u"/list", u"/quiet" }, C::Bad, false, u"/quiet" },
        { { u"/reopen", u"/quiet", u"/quiet" }, C::Bad, false, u"/quiet" },
        { { u"/open" }, C::Bad, false, u"/open" },
        { { u"reopen" }, C::Bad, false, u"reopen" },
        { { u"/" }, C::Bad, false, u"/" },
        { { u"" }, C::Bad, false, u"" },
        { { u"/reopen", u"http://example.com/" }, C::Bad, false, u"http://example.com/" },
        { { u"/restore" }, C::Restore, false, u"" },
        { { u"-Restore", u"/QUIET" }, C::Restore, true, u"" },
        { { u"/list", u"/windows" }, C::List, false, u"", true },
        { { u"/Windows", u"-list" }, C::List, false, u"", true },
        { { u"/windows" }, C::Bad, false, u"/windows" },
        { { u"/restore", u"/windows" }, C::Bad, false, u"/windows" },
        { { u"/reopen", u"/restore" }, C::Bad, false, u"/restore" },
        { { u"/list", u"/windows", u"/windows" }, C::Bad, false, u"/windows" },
        { { u"/ｒｅｏｐｅｎ" }, C::Bad, false, u"/ｒｅｏｐｅｎ" },  // full-width letters are no switch
        { { u"/reopen\u0130" }, C::Bad, false, u"/reopen\u0130" },
    };
    for (const auto& c : cases) {
        std::string shown;
        for (const std::u16string& a : c.args)
            shown += std::string(a.begin(), a.end()) + " ";
        SCOPED_TRACE(shown);
        const C::Parsed parsed = C::Parse(c.args);
        EXPECT_EQ(c.action, parsed.action);
        EXPECT_EQ(c.quiet, parsed.quiet);
        EXPECT_EQ(c.windows, parsed.windows);
        EXPECT_TRUE(c.bad == parsed.bad);
    }
}

// How a start that reopens without its dialog ends, by what it found and opened.
TEST(CommandLine, ExitCodeOfAReopen)
{
    const struct { size_t found, opened; int code; } cases[] = {
        { 0, 0, 1 },  // nothing found
        { 3, 3, 0 },  // every page opened
        { 3, 0, 2 },  // none could be opened
        { 3, 1, 3 },  // some could not
        { 1, 1, 0 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.code, CommandLine::ExitCode(c.found, c.opened)) << c.found << " found, " << c.opened << " opened";
}

TEST(UiLanguage, SettingOverridesTheUsersLanguage)
{
    using L = UiLanguage;
    const uint16_t japanese = 0x0411, english = 0x0409, german = 0x0407, odd = 0x0811;  // 0x0811: Japanese, another sublanguage
    const struct { std::u16string setting; uint16_t user; L::Language expected; } cases[] = {
        { u"", japanese, L::Japanese },      { u"", english, L::English },
        { u"", german, L::English },         { u"", odd, L::Japanese },
        { u"auto", german, L::English },     { u"AUTO", japanese, L::Japanese },
        { u"en", japanese, L::English },     { u"EN", japanese, L::English },
        { u" en\t", japanese, L::English },  { u"ja", english, L::Japanese },
        { u"Ja", german, L::Japanese },      { u"english", japanese, L::Japanese },
        { u"jp", english, L::English },      { u"e", japanese, L::Japanese },
        { u"en-US", japanese, L::Japanese }, { u"\u0435n", japanese, L::Japanese },  // a Cyrillic e
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.setting.begin(), c.setting.end()) + " / " + std::to_string(c.user));
        EXPECT_EQ(c.expected, L::Choose(c.setting, c.user));
    }
}

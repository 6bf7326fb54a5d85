// The command line that starts a browser: hostile addresses stay one argument, byte for byte
// as the browser will read it, by the rules of CommandLineToArgvW (read back here by a reader
// of those documented rules; the Windows tests read it back with the platform's own).
#include "browser/LaunchCommand.h"
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

// Splits a command line as CommandLineToArgvW does: the program up to its closing quote (or
// the first blank), then arguments where 2n backslashes and a quote are n backslashes and a
// quote mark, 2n+1 backslashes and a quote are n backslashes and a literal quote, and other
// backslashes are themselves.
std::vector<std::string> ReadBack(const std::string& line)
{
    std::vector<std::string> argv;
    size_t i = 0;
    std::string program;
    if (i < line.size() && line[i] == '"') {
        for (++i; i < line.size() && line[i] != '"'; ++i)
            program += line[i];
        if (i < line.size())
            ++i;
    } else {
        for (; i < line.size() && line[i] != ' ' && line[i] != '\t'; ++i)
            program += line[i];
    }
    argv.push_back(program);
    for (;;) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i >= line.size())
            break;
        std::string arg;
        bool quoted = false;
        while (i < line.size()) {
            char c = line[i];
            if (c == '\\') {
                size_t n = 0;
                while (i < line.size() && line[i] == '\\') {
                    ++n;
                    ++i;
                }
                if (i < line.size() && line[i] == '"') {
                    arg.append(n / 2, '\\');
                    if (n % 2) {
                        arg += '"';
                        ++i;
                    }
                } else {
                    arg.append(n, '\\');
                }
                continue;
            }
            if (c == '"') {
                if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                    arg += '"';
                    i += 2;
                    continue;
                }
                quoted = !quoted;
                ++i;
                continue;
            }
            if (!quoted && (c == ' ' || c == '\t'))
                break;
            arg += c;
            ++i;
        }
        argv.push_back(arg);
    }
    return argv;
}

const char kChrome[] = "C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe";

}

TEST(LaunchCommand, HostileAddressesStayOneArgument)
{
    const struct { const char* what; std::string url; bool opens; std::string arg; } cases[] = {
        { "plain", "http://example.org/a?b=c&d", true, "http://example.org/a?b=c&d" },
        { "a quote that would end the argument", "http://x/\" --renderer-cmd-prefix=calc", true,
          "http://x/%22%20--renderer-cmd-prefix=calc" },
        { "a switch with no scheme", "-P evil", false, "" },
        { "a switch of Chromium's", "--renderer-cmd-prefix=calc", false, "" },
        { "line feed, return, tab", "http://x/a\nb\rc\td", true, "http://x/a%0Ab%0Dc%09d" },
        { "control and delete bytes", std::string("http://x/\x01\x1f\x7f", 12), true, "http://x/%01%1F%7F" },
        { "backslashes before a quote", "http://x/\\\\\"y", true, "http://x/\\\\%22y" },
        { "a trailing backslash", "http://x/y\\", true, "http://x/y\\" },
        { "already encoded", "http://x/%20%22", true, "http://x/%20%22" },
        { "Japanese in UTF-8", "http://例え.jp/パス", true, "http://例え.jp/パス" },
        { "file: of the disk", "file:///C:/Windows/win.ini", true, "file:///C:/Windows/win.ini" },
        { "no scheme at all", "example.org", false, "" },
        { "a script", "javascript:alert(document.cookie)", false, "" },
        { "a script in capitals", "JavaScript:alert(1)", false, "" },
        { "a VBScript", "vbscript:msgbox(1)", false, "" },
        { "content of its own", "data:text/html,<script>alert(1)</script>", false, "" },
        { "javascript further on is only text", "http://x/?q=javascript:1", true, "http://x/?q=javascript:1" },
    };
    for (const auto& c : cases) {
        std::string safe;
        ASSERT_EQ(c.opens, LaunchCommand::SafeUrl(c.url, &safe)) << c.what;
        if (!c.opens)
            continue;
        EXPECT_EQ(c.arg, safe) << c.what;
        const std::vector<std::string> chromium =
            LaunchCommand::Arguments(LaunchCommand::Browser::Chromium, "Profile 1", safe);
        std::vector<std::string> expected = { kChrome, "--profile-directory=Profile 1", "--new-window", "--", c.arg };
        EXPECT_EQ(expected, ReadBack(LaunchCommand::CommandLine(kChrome, chromium))) << c.what;
        const std::vector<std::string> firefox = LaunchCommand::Arguments(LaunchCommand::Browser::Firefox, "", safe);
        expected = { "C:\\Firefox\\firefox.exe", "-new-window", c.arg };
        EXPECT_EQ(expected, ReadBack(LaunchCommand::CommandLine("C:\\Firefox\\firefox.exe", firefox))) << c.what;
    }
    // Each way of naming a profile, and none.
    using B = LaunchCommand::Browser;
    using Args = std::vector<std::string>;
    const struct { B browser; const char* profile; Args args; } profiles[] = {
        { B::Chromium, "", { "--new-window", "--", "http://a/" } },
        { B::Opera, "", { "--new-window", "--", "http://a/" } },
        { B::Opera, "side1", { "--side-profile-name=side1", "--new-window", "--", "http://a/" } },
        { B::Firefox, "", { "-new-window", "http://a/" } },
        { B::Firefox, "work", { "-P", "work", "-new-window", "http://a/" } },
        { B::FirefoxPath, "C:\\P\\x", { "--profile", "C:\\P\\x", "-new-window", "http://a/" } },
    };
    for (const auto& p : profiles)
        EXPECT_EQ(p.args, LaunchCommand::Arguments(p.browser, p.profile, "http://a/")) << p.profile;
}

TEST(LaunchCommand, QuotingTable)
{
    const struct { std::string arg; std::string quoted; } cases[] = {
        { "plain", "plain" },
        { "", "\"\"" },
        { "two words", "\"two words\"" },
        { "a\"b", "\"a\\\"b\"" },
        { "a\\b", "a\\b" },
        { "a b\\", "\"a b\\\\\"" },
        { "a\\\"b", "\"a\\\\\\\"b\"" },
        { "tab\there", "\"tab\there\"" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.quoted, LaunchCommand::Quote(c.arg)) << c.arg;
}

// Any bytes but NUL quote to one argument that reads back the same.
TEST(LaunchCommand, QuotedArgumentsReadBackTheSameOnRandomText)
{
    std::mt19937 random(20261210);
    const std::string alphabet = std::string("ab \t\"\\-=%") + "\n";
    for (int round = 0; round < 5000; ++round) {
        std::vector<std::string> args(1 + random() % 4);
        for (std::string& arg : args) {
            size_t length = random() % 12;
            for (size_t i = 0; i < length; ++i)
                arg += alphabet[random() % alphabet.size()];
        }
        std::vector<std::string> expected = { "C:\\p.exe" };
        expected.insert(expected.end(), args.begin(), args.end());
        ASSERT_EQ(expected, ReadBack(LaunchCommand::CommandLine("C:\\p.exe", args))) << "round " << round;
    }
}

// The pages of one profile as tabs of one new window: one command while the line allows, then
// further ones (Chromium: into the same window; Firefox: a new window each, never a lone -url or
// a -new-tab); a page that fits in no command is left out and named.
TEST(LaunchCommand, TabCommandsTable)
{
    using B = LaunchCommand::Browser;
    using Commands = std::vector<std::vector<std::string>>;
    const std::string u1 = "http://a/1", u2 = "http://a/2", u3 = "http://a/3", huge = "http://a/" + std::string(200, 'x');
    const struct { const char* what; B browser; std::vector<std::string> urls; size_t longest; Commands commands; std::vector<std::string> left; } cases[] = {
        { "Chromium, one window", B::Chromium, { u1, u2, u3 }, 1000,
          { { "--profile-directory=P", "--new-window", "--", u1, u2, u3 } }, {} },
        { "Chromium, split: the rest into that window", B::Chromium, { u1, u2, u3 }, 85,
          { { "--profile-directory=P", "--new-window", "--", u1, u2 }, { "--profile-directory=P", "--", u3 } }, {} },
        { "Opera side profile", B::Opera, { u1, u2 }, 1000, { { "--side-profile-name=P", "--new-window", "--", u1, u2 } }, {} },
        { "Firefox, one page: its own window", B::Firefox, { u1 }, 1000, { { "-P", "P", "-new-window", u1 } }, {} },
        { "Firefox, several: -url each", B::Firefox, { u1, u2, u3 }, 1000,
          { { "-P", "P", "-url", u1, "-url", u2, "-url", u3 } }, {} },
        // A running Firefox opens a new window for two -url pages or more, and for -new-window;
        // a lone -url or a -new-tab would go into the window in front.
        { "Firefox, split: one page left, a window of its own", B::FirefoxPath, { u1, u2, u3 }, 75,
          { { "--profile", "P", "-url", u1, "-url", u2 }, { "--profile", "P", "-new-window", u3 } }, {} },
        { "Firefox, split in two parts of two", B::Firefox, { u1, u2, u3, u1 }, 70,
          { { "-P", "P", "-url", u1, "-url", u2 }, { "-P", "P", "-url", u3, "-url", u1 } }, {} },
        { "a page too long for any command", B::Chromium, { u1, huge, u2 }, 100,
          { { "--profile-directory=P", "--new-window", "--", u1, u2 } }, { huge } },
        { "only a page too long", B::Firefox, { huge }, 100, {}, { huge } },
    };
    const size_t program = 20;
    for (const auto& c : cases) {
        std::vector<std::string> left;
        const Commands commands = LaunchCommand::TabCommands(c.browser, "P", c.urls, program, c.longest, &left);
        EXPECT_EQ(c.commands, commands) << c.what;
        EXPECT_EQ(c.left, left) << c.what;
        for (const auto& args : commands)
            EXPECT_LE(program + LaunchCommand::ArgumentsLine(args).size(), c.longest) << c.what;
    }
}

// On random sets: every command within the limit, every page once and in order, the rest left.
TEST(LaunchCommand, TabCommandsKeepEveryPageInOrderWithinTheLimit)
{
    std::mt19937 random(5);
    for (int round = 0; round < 500; ++round) {
        const auto browser = static_cast<LaunchCommand::Browser>(random() % 4);
        std::vector<std::string> urls;
        for (int i = 1 + random() % 30; i > 0; --i)
            urls.push_back("http://h/" + std::to_string(i) + std::string(random() % 300, 'p'));
        const size_t longest = 150 + random() % 2000;
        std::vector<std::string> left;
        std::vector<size_t> pages;
        const auto commands = LaunchCommand::TabCommands(browser, "Profile 1", urls, 60, longest, &left, &pages);
        ASSERT_EQ(commands.size(), pages.size());
        std::vector<std::string> opened;
        for (size_t c = 0; c < commands.size(); ++c) {
            ASSERT_LE(60 + LaunchCommand::ArgumentsLine(commands[c]).size(), longest);
            size_t before = opened.size();
            for (const std::string& arg : commands[c])
                if (arg.compare(0, 9, "http://h/") == 0)
                    opened.push_back(arg);
            ASSERT_EQ(pages[c], opened.size() - before) << "round " << round;
        }
        std::vector<std::string> all;
        size_t o = 0, l = 0;
        for (const std::string& url : urls) {
            if (o < opened.size() && opened[o] == url)
                ++o;
            else if (l < left.size() && left[l] == url)
                ++l;
            else
                FAIL() << "round " << round << ": a page neither opened nor left, or out of order";
        }
        ASSERT_EQ(o, opened.size());
        ASSERT_EQ(l, left.size());
    }
}

// The Firefox profiles that profiles.ini names, odd paths included.
#include "history/FirefoxProfiles.h"
#include <gtest/gtest.h>

namespace {
const std::string kFolder = "C:\\Users\\alice\\AppData\\Roaming\\Mozilla\\Firefox";
using Folders = std::vector<std::string>;
}

TEST(FirefoxProfiles, PathsTable)
{
    const struct { const char* what; std::string ini; Folders folders; } cases[] = {
        { "relative with forward slashes, and the installation's default once",
          "[Install308046B0AF4A39CB]\r\nDefault=Profiles/abcd.default-release\r\nLocked=1\r\n\r\n"
          "[Profile1]\r\nName=default\r\nIsRelative=1\r\nPath=Profiles/efgh.default\r\nDefault=1\r\n\r\n"
          "[Profile0]\r\nName=default-release\r\nIsRelative=1\r\nPath=Profiles/abcd.default-release\r\n\r\n"
          "[General]\r\nStartWithLastProfile=1\r\nVersion=2\r\n",
          { kFolder + "\\Profiles\\abcd.default-release", kFolder + "\\Profiles\\efgh.default" } },
        { "absolute on a drive", "[Profile0]\nName=work\nIsRelative=0\nPath=D:\\Firefox Profiles\\work\n",
          { "D:\\Firefox Profiles\\work" } },
        { "a network path", "[Profile0]\nIsRelative=0\nPath=\\\\server\\share\\p\n", {} },
        { "climbing out", "[Profile0]\nIsRelative=1\nPath=../../../../Windows\n", {} },
        { "climbing out in the middle", "[Profile0]\nIsRelative=1\nPath=Profiles/../../x\n", {} },
        { "relative that names a drive", "[Profile0]\nIsRelative=1\nPath=C:/Windows\n", {} },
        { "absolute without a drive", "[Profile0]\nIsRelative=0\nPath=Profiles/x\n", {} },
        { "no path", "[Profile0]\nName=empty\nIsRelative=1\n", {} },
        { "an empty path", "[Profile0]\nIsRelative=1\nPath=\n", {} },
        { "characters no folder holds", "[Profile0]\nIsRelative=1\nPath=Profiles/a\"b\n", {} },
        { "keys before any section, comments, other sections",
          "Path=Profiles/stray\n; comment\n[Other]\nPath=Profiles/other\n[Profile0]\nIsRelative=1\nPath=Profiles/ok\n",
          { kFolder + "\\Profiles\\ok" } },
        { "keys in another case, blanks around", "[profile0]\n  isrelative = 1 \n  PATH = Profiles/spaced \n",
          { kFolder + "\\Profiles\\spaced" } },
        { "the same folder twice", "[Profile0]\nIsRelative=1\nPath=Profiles/x\n[Profile1]\nIsRelative=1\nPath=profiles/X\n",
          { kFolder + "\\Profiles\\x" } },
        { "garbage", std::string("\x00\xff[\x01=\n==\n[Profile", 16), {} },
        { "empty", "", {} },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.folders, FirefoxProfiles::Parse(c.ini, kFolder)) << c.what;
}

TEST(FirefoxProfiles, Bounds)
{
    std::string many;
    for (int i = 0; i < 200; ++i)
        many += "[Profile" + std::to_string(i) + "]\nIsRelative=1\nPath=Profiles/p" + std::to_string(i) + "\n";
    EXPECT_EQ(FirefoxProfiles::kMostProfiles, FirefoxProfiles::Parse(many, kFolder).size());
    std::string longLine = "[Profile0]\nIsRelative=1\nPath=Profiles/" + std::string(FirefoxProfiles::kLongestLine, 'x') + "\n";
    EXPECT_TRUE(FirefoxProfiles::Parse(longLine, kFolder).empty());
}

// Each profile's name is its own section's, also when an installation's default named its
// folder first; a profile that only an installation names has none.
TEST(FirefoxProfiles, Names)
{
    const std::string ini = "[Install308046B0AF4A39CB]\nDefault=Profiles/abcd.default-release\n\n"
                            "[Install0000]\nDefault=Profiles/only-installed\n\n"
                            "[Profile1]\nName=仕事\nIsRelative=1\nPath=Profiles/efgh.default\n\n"
                            "[Profile0]\nName=default-release\nIsRelative=1\nPath=Profiles/abcd.default-release\n";
    std::vector<std::pair<std::string, std::string>> got;
    for (const FirefoxProfiles::Profile& p : FirefoxProfiles::ParseNamed(ini, kFolder))
        got.emplace_back(p.folder, p.name);
    EXPECT_EQ((std::vector<std::pair<std::string, std::string>>{
                  { kFolder + "\\Profiles\\abcd.default-release", "default-release" },
                  { kFolder + "\\Profiles\\only-installed", "" },
                  { kFolder + "\\Profiles\\efgh.default", "仕事" } }),
              got);
}

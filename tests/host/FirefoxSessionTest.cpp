// Firefox's session files as the tests write them in mozLz4: which tabs are open, the windows
// the browser would restore and in which order it tries its files, and what becomes of
// damaged, truncated, flipped, boastful or deeply nested files.
#include "../common/SessionFiles.h"
#include "history/FirefoxSession.h"
#include "history/JsonText.h"
#include <chrono>
#include <vector>
#include <gtest/gtest.h>
#include <lz4.h>
#include <cstdint>
#include <random>
#include <set>
#include <string>

namespace {

using Urls = std::set<std::string>;

const char kSession[] = R"({"version":["sessionrestore",1],"windows":[
  {"tabs":[
     {"entries":[{"url":"http://a/1"},{"url":"http://a/2"},{"url":"http://a/3"}],"index":3},
     {"entries":[{"url":"http://b/1"},{"url":"http://b/2"}],"index":1,"pinned":true},
     {"entries":[{"url":"http://c/1"}],"index":1,"hidden":false}
   ],
   "_closedTabs":[{"state":{"entries":[{"url":"http://closed-tab/"}],"index":1}}],
   "selected":1},
  {"tabs":[{"entries":[{"url":"https://second-window/"}],"index":1}]}
 ],
 "_closedWindows":[{"tabs":[{"entries":[{"url":"http://closed-window/"}],"index":1}]}]})";
const Urls kOpen = { "http://a/3", "http://b/1", "http://c/1", "https://second-window/" };

}

TEST(FirefoxSession, OpenTabsTable)
{
    const struct { const char* what; std::string json; bool readable; Urls open; } cases[] = {
        { "windows, pinned tabs, the selected entry at either end", kSession, true, kOpen },
        { "no windows", R"({"windows":[]})", true, {} },
        // As the browser restores: index 0, none or not a whole number the last entry; past
        // either end the nearest.
        { "index 0 and past the end, index not a number",
          R"({"windows":[{"tabs":[{"entries":[{"url":"http://x/"},{"url":"http://x2/"}],"index":0},
              {"entries":[{"url":"http://y/"}],"index":2},{"entries":[{"url":"http://n/"},{"url":"http://n2/"}],"index":-3},
              {"entries":[{"url":"http://z/"},{"url":"http://z2/"}],"index":"1"},{"entries":[{"url":"http://w/"}],"index":1.5},
              {"entries":[{"url":"http://ok/"}],"index":1},{"entries":[]}]}]})",
          true, { "http://x2/", "http://y/", "http://n/", "http://z2/", "http://w/", "http://ok/" } },
        { "odd shapes are passed over",
          R"({"windows":[1,{"tabs":3},{"tabs":[null,{"entries":{}},{"entries":[5],"index":1},{"entries":[{"url":7}],"index":1},
              {"entries":[{"url":"http://ok/"}],"index":1}]}]})",
          true, { "http://ok/" } },
        { "windows not a list", R"({"windows":{}})", false, {} },
        { "not an object", R"([1,2,3])", false, {} },
        { "not JSON", "windows: none", false, {} },
        { "cut JSON", std::string(kSession).substr(0, 200), false, {} },
    };
    for (const auto& c : cases) {
        Urls open;
        EXPECT_EQ(c.readable, FirefoxSession::OpenUrls(MozLz4(c.json), &open)) << c.what;
        EXPECT_EQ(c.open, open) << c.what;
    }
}

TEST(FirefoxSession, HeadersAndSizesAreChecked)
{
    const std::string good = MozLz4(kSession);
    std::string badMagic = good;
    badMagic[3] = 'X';
    std::string boastful = good;  // claims 60 MiB from a block of a few hundred bytes
    boastful[8] = '\0', boastful[9] = '\0', boastful[10] = '\xC0', boastful[11] = '\x03';
    std::string huge = good;  // claims 4 GiB
    huge[8] = huge[9] = huge[10] = huge[11] = '\xFF';
    const struct { const char* what; std::string file; } cases[] = {
        { "another magic", badMagic },
        { "declared size too small", MozLz4(kSession, -1) },
        { "declared size too large", MozLz4(kSession, +1) },
        { "declared size 0", MozLz4("", 0) },
        { "more than the block can hold", boastful },
        { "gigabytes", huge },
        { "the header alone", good.substr(0, 12) },
        { "empty", "" },
    };
    for (const auto& c : cases) {
        Urls open;
        EXPECT_FALSE(FirefoxSession::OpenUrls(c.file, &open)) << c.what;
        EXPECT_TRUE(open.empty()) << c.what;
    }
    Urls open;
    EXPECT_TRUE(FirefoxSession::OpenUrls(good, &open));
    EXPECT_EQ(kOpen, open);
}

// Memory follows the file: the decoded size must be one the block can give.
TEST(FirefoxSession, DeclaredSizeMustFitTheBlock)
{
    const struct { size_t declared, block; bool fits; } cases[] = {
        { 1000, 100, true },
        { 255 * 100 + 254, 100, true },
        { 255 * 101, 100, false },
        { 0, 100, false },
        { FirefoxSession::kLargestSession, FirefoxSession::kLargestSession, true },
        { FirefoxSession::kLargestSession + 1, FirefoxSession::kLargestSession, false },
        { 0xFFFFFFFFu, 1u << 30, false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.fits, FirefoxSession::SizeFits(c.declared, c.block)) << c.declared << " from " << c.block;
}

// Cut at every byte, and bytes flipped at random: never a crash under the sanitizers, and at
// most the pages that are really open (a flip inside a string may change an address, so a
// flipped file may name others: it must still be a reading of bounded size).
TEST(FirefoxSession, TruncatedAndFlippedFiles)
{
    DamagedCopies(
        MozLz4(kSession), 3, 3000,
        [](const std::string& file, size_t at) {
            Urls open;
            FirefoxSession::OpenUrls(file, &open);
            for (const std::string& url : open)
                EXPECT_TRUE(kOpen.count(url)) << "cut at " << at << ": " << url;
        },
        [](const std::string& file, int round) {
            Urls open;
            FirefoxSession::OpenUrls(file, &open);
            EXPECT_LE(open.size(), 16u) << "round " << round;
        });
}

TEST(FirefoxSession, WindowsTheBrowserWouldRestore)
{
    const char groups[] = R"({"windows":[{"groups":[{"id":"g1","name":"Travel"},{"id":"g2"}],"tabs":[
        {"entries":[{"url":"http://a/","title":"A"}],"index":1,"groupId":"g1","pinned":true},
        {"entries":[{"url":"http://b/","title":"B"}],"index":1,"groupId":"g2"},
        {"entries":[{"url":"http://c/"}],"index":1,"groupId":"gone"},
        {"entries":[{"url":"http://d/"}],"index":1}]}]})";
    const struct { const char* what; std::string json; std::vector<std::vector<std::string>> windows; } cases[] = {
        { "windows in the file's order, closed ones not taken", kSession,
          { { "http://a/3||-", "http://b/1||-|pinned", "http://c/1||-" }, { "https://second-window/||-" } } },
        { "tab groups: named, unnamed, unknown", groups,
          { { "http://a/|A|Travel|pinned", "http://b/|B|", "http://c/||", "http://d/||-" } } },
        { "popups are not restored",
          R"({"windows":[{"isPopup":true,"tabs":[{"entries":[{"url":"http://p/"}],"index":1}]},
              {"tabs":[{"entries":[{"url":"http://w/"}],"index":1}]}]})",
          { { "http://w/||-" } } },
        { "a window without tabs", R"({"windows":[{"tabs":[]},{"tabs":[{"entries":[{"url":"http://w/"}]}]}]})",
          { { "http://w/||-" } } },
    };
    for (const auto& c : cases) {
        std::vector<SessionWindow> windows;
        ASSERT_TRUE(FirefoxSession::Windows(MozLz4(c.json), &windows)) << c.what;
        std::vector<std::vector<std::string>> shape;
        for (const SessionWindow& w : windows) {
            shape.emplace_back();
            for (const SessionTab& t : w.tabs)
                shape.back().push_back(t.url + "|" + t.title + "|" + (t.inGroup ? t.group : "-") + (t.pinned ? "|pinned" : ""));
        }
        EXPECT_EQ(c.windows, shape) << c.what;
    }
}

TEST(FirefoxSession, FilesInTheBrowsersOrder)
{
    const std::vector<std::wstring> upgrades = { L"upgrade.jsonlz4-20250101000000", L"upgrade.jsonlz4-20260301120000",
                                                 L"upgrade.jsonlz4-20251231235959" };
    const std::wstring b = L"sessionstore-backups\\";
    EXPECT_EQ((std::vector<std::wstring>{ L"sessionstore.jsonlz4", b + L"recovery.jsonlz4", b + L"recovery.baklz4",
                                          b + L"previous.jsonlz4", b + L"upgrade.jsonlz4-20260301120000" }),
              FirefoxSession::FilesInOrder(upgrades, false));
    EXPECT_EQ((std::vector<std::wstring>{ b + L"recovery.jsonlz4", L"sessionstore.jsonlz4", b + L"recovery.baklz4",
                                          b + L"previous.jsonlz4" }),
              FirefoxSession::FilesInOrder({}, true));
}

// JSON nested deeper than the bound is refused as the parser meets it: three million levels in
// 23 kB (6 MB decoded) cost no tree and no time; the bound itself still parses.
TEST(FirefoxSession, NestingIsBounded)
{
    const auto nested = [](size_t depth) {
        return R"({"windows":[{"tabs":[{"entries":[{"url":"http://a/"}],"index":1,"x":)" + std::string(depth, '[') +
               std::string(depth, ']') + "}]}]}";
    };
    std::vector<SessionWindow> windows;
    EXPECT_TRUE(FirefoxSession::Windows(MozLz4(nested(JsonText::kDeepest - 5)), &windows));
    EXPECT_FALSE(FirefoxSession::Windows(MozLz4(nested(JsonText::kDeepest - 4)), &windows));
    const std::string deep = MozLz4(nested(3000000));
    EXPECT_LT(deep.size(), 30000u);
    EXPECT_FALSE(FirefoxSession::Windows(deep, &windows));
    const std::string text = std::string(100, '[') + std::string(100, ']');
    EXPECT_TRUE(JsonText::Parse(text.data(), text.size()).is_discarded());
    std::string many = "[";
    for (int i = 0; i < 100000; ++i)
        many += "1,";
    many += "1]";
    EXPECT_FALSE(JsonText::Parse(many.data(), many.size()).is_discarded());
    EXPECT_TRUE(JsonText::Parse(many.data(), many.size(), std::chrono::milliseconds(0)).is_discarded())
        << "past its deadline";
}

// The pages open in Chromium, from session files that the tests write in SNSS: several
// navigations and a selected index, closed tabs and windows, a tab moved between windows,
// records of other ids, both versions; then truncation at every byte and random bit flips.
#include "../common/SessionFiles.h"
#include "history/ChromiumSession.h"
#include <gtest/gtest.h>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using Urls = std::set<std::string>;

// Two windows: tab 1 with three pages (the second selected), tab 2 closed, tab 3 in a closed
// window, tab 4 moved out of that window before it closed; Edge's and other ids between.
Snss Sample(int32_t version = 3)
{
    Snss s(version);
    s.TabWindow(10, 1).Navigation(1, 0, "http://a/0").Navigation(1, 1, "http://a/1").Navigation(1, 2, "http://a/2");
    s.Selected(1, 1).Other(21).TabWindow(10, 2).Navigation(2, 0, "http://closed-tab/").Selected(2, 0);
    s.TabWindow(20, 3).Navigation(3, 0, "http://closed-window/").Selected(3, 0);
    s.TabWindow(20, 4).Navigation(4, 0, "http://moved/").Selected(4, 0).Marker().Other(200);
    s.TabWindow(10, 4).TabClosed(2).WindowClosed(20);
    return s;
}
const Urls kOpen = { "http://a/1", "http://moved/" };
const Urls kEverything = { "http://a/0", "http://a/1", "http://a/2", "http://closed-tab/", "http://closed-window/",
                           "http://moved/" };

}

TEST(ChromiumSession, OpenTabsTable)
{
    const struct { const char* what; std::string file; bool readable; Urls open; } cases[] = {
        { "version 3", Sample(3).Bytes(), true, kOpen },
        { "version 1", Sample(1).Bytes(), true, kOpen },
        { "a version to come", Sample(4).Bytes(), false, {} },
        { "another magic", "SNSX" + Sample(3).Bytes().substr(4), false, {} },
        { "the selected entry was never navigated", Snss().Navigation(1, 0, "http://x/").Selected(1, 5).Bytes(), true, {} },
        { "no selected entry", Snss().Navigation(1, 0, "http://x/").Bytes(), true, {} },
        { "the selection changes", Snss().Navigation(1, 0, "http://x/").Navigation(1, 1, "http://y/").Selected(1, 1)
                                       .Selected(1, 0).Bytes(), true, { "http://x/" } },
        { "a navigation replaced", Snss().Navigation(1, 0, "http://x/").Selected(1, 0).Navigation(1, 0, "http://z/")
                                       .Bytes(), true, { "http://z/" } },
        { "the header alone", Snss().Bytes(), true, {} },
    };
    for (const auto& c : cases) {
        Urls open;
        EXPECT_EQ(c.readable, ChromiumSession::OpenUrls(c.file, &open)) << c.what;
        EXPECT_EQ(c.open, open) << c.what;
    }
}

// A record that claims more than is left, or fields longer than their record: nothing known.
TEST(ChromiumSession, LengthsAreNeverTrusted)
{
    std::string longSize = Sample().Bytes();
    longSize += std::string("\xff\xff\x06", 3) + std::string(10, 'x');
    std::string longString = Snss().Bytes();
    // A navigation whose url claims 1000 bytes in a record of 20.
    std::string contents = std::string("\x10\0\0\0", 4) + std::string("\1\0\0\0\0\0\0\0", 8) + std::string("\xe8\x03\0\0", 4) + "abcd";
    longString += static_cast<char>(contents.size() + 1);
    longString += '\0';
    longString += '\x06';
    longString += contents;
    Urls open;
    EXPECT_FALSE(ChromiumSession::OpenUrls(longSize, &open));
    EXPECT_TRUE(ChromiumSession::OpenUrls(longString, &open)) << "the record is passed over";
    EXPECT_TRUE(open.empty());
}

TEST(ChromiumSession, TruncatedAndFlippedFiles)
{
    DamagedCopies(
        Sample().Bytes(), 5, 3000,
        [](const std::string& file, size_t at) {
            Urls open;
            ChromiumSession::OpenUrls(file, &open);
            for (const std::string& url : open)
                EXPECT_TRUE(kEverything.count(url)) << "cut at " << at << " named " << url;
        },
        [](const std::string& file, int round) {
            Urls open;
            ChromiumSession::OpenUrls(file, &open);
            EXPECT_LE(open.size(), kEverything.size()) << "round " << round;
        });
}

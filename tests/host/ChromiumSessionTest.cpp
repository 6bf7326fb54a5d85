// Chromium's session files as the tests write them in SNSS: the pages open (several navigations
// and a selected index, closed tabs and windows, a tab moved between windows, records of other
// ids, both versions), the last session's windows as the browser rebuilds them, and what
// becomes of truncation at every byte and random bit flips.
#include "../common/SessionFiles.h"
#include "history/ChromiumSession.h"
#include "history/SessionWindow.h"
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
        // As the browser restores: the nearest navigation after the selected index, else the last.
        { "the selected entry was never navigated", Snss().Navigation(1, 0, "http://x/").Selected(1, 5).Bytes(), true,
          { "http://x/" } },
        { "no selected entry", Snss().Navigation(1, 0, "http://x/").Navigation(1, 1, "http://y/").Bytes(), true,
          { "http://x/" } },
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

// A record that claims more than is left ends the file (the records before it count); fields
// longer than their record pass the record over.
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
    EXPECT_TRUE(ChromiumSession::OpenUrls(longSize, &open));
    EXPECT_EQ(kOpen, open);
    open.clear();
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

namespace {
using File = ChromiumSession::File;

// A window as the tests compare it: each tab "url|title|group|pinned" (group "-" for none).
std::vector<std::vector<std::string>> Shape(const std::vector<SessionWindow>& windows)
{
    std::vector<std::vector<std::string>> shape;
    for (const SessionWindow& w : windows) {
        shape.emplace_back();
        for (const SessionTab& t : w.tabs)
            shape.back().push_back(t.url + "|" + t.title + "|" + (t.inGroup ? t.group : "-") + (t.pinned ? "|pinned" : ""));
    }
    return shape;
}

// Two normal windows made in turn; the second's tabs put in out of order.
Snss TwoWindows()
{
    Snss s;
    s.Window(1, 10, { "http://a/", "http://b/", "http://c/" });
    s.WindowType(2).TabWindow(2, 20).TabIndex(20, 2).Navigation(20, 0, "http://f/", u"F");
    s.TabWindow(2, 21).TabIndex(21, 0).Navigation(21, 0, "http://d/", u"D").Pinned(21);
    s.TabWindow(2, 22).TabIndex(22, 1).Navigation(22, 0, "http://e/", u"E\U0001F600");
    return s;
}
}

TEST(ChromiumSession, WindowsAsTheBrowserRebuildsThem)
{
    using Shape_ = std::vector<std::vector<std::string>>;
    const Shape_ two = { { "http://a/|title|-", "http://b/|title|-", "http://c/|title|-" },
                         { "http://d/|D|-|pinned", "http://e/|E\xF0\x9F\x98\x80|-", "http://f/|F|-" } };
    // Navigations 0-4 of tab 1; each case prunes or selects.
    const auto history = [](Snss s) {
        s.WindowType(1).TabWindow(1, 1);
        for (int i = 0; i < 5; ++i)
            s.Navigation(1, i, "http://h/" + std::to_string(i));
        return s;
    };
    const struct { const char* what; std::string file; File read; Shape_ windows; } cases[] = {
        { "windows by creation, tabs by visual index, pinned, titles", TwoWindows().Marker().Bytes(), File::kReadable, two },
        { "the full state's marker may come first", Snss().Marker().Bytes() + TwoWindows().Bytes().substr(8),
          File::kReadable, two },
        { "the selected navigation", history(Snss()).Selected(1, 3).Marker().Bytes(), File::kReadable, { { "http://h/3|title|-" } } },
        { "pruned from the back: the nearest one before is the last", history(Snss()).Selected(1, 4).PrunedFromBack(1, 2)
                                                                          .Marker().Bytes(), File::kReadable, { { "http://h/1|title|-" } } },
        { "pruned from the front: the indexes move", history(Snss()).Selected(1, 3).PrunedFromFront(1, 2).Marker().Bytes(),
          File::kReadable, { { "http://h/3|title|-" } } },
        { "pruned from the front below the lowest index (the fuzzer's find)",
          history(Snss()).Selected(1, INT32_MIN + 1).PrunedFromFront(1, 3).Marker().Bytes(), File::kReadable,
          { { "http://h/3|title|-" } } },
        { "a range pruned: those after it move", history(Snss()).Selected(1, 4).Pruned(1, 1, 2).Marker().Bytes(),
          File::kReadable, { { "http://h/4|title|-" } } },
        { "a closed tab and a closed window", TwoWindows().TabClosed(11).WindowClosed(2).Marker().Bytes(), File::kReadable,
          { { "http://a/|title|-", "http://c/|title|-" } } },
        { "a closed window's later command does not bring it back",
          TwoWindows().WindowClosed(1).TabWindow(1, 10).Marker().Bytes(), File::kReadable, { two[1] } },
        { "popup, app and developer-tools windows are not restored",
          Snss().Window(1, 10, { "http://popup/" }, 1).Window(2, 20, { "http://app/" }, 2)
              .Window(3, 30, { "http://tools/" }, 3).Window(4, 40, { "http://normal/" }).Marker().Bytes(),
          File::kReadable, { { "http://normal/|title|-" } } },
        { "a window never given a type", Snss().TabWindow(7, 1).Navigation(1, 0, "http://x/").Marker().Bytes(),
          File::kReadable, {} },
        { "tab groups: titled, untitled, left",
          Snss().Window(1, 10, { "http://a/", "http://b/", "http://c/", "http://d/" }).TabGroup(10, 5).TabGroup(11, 6)
              .TabGroup(12, 5).TabGroup(12, 5, false).GroupTitle(5, u"Work").Marker().Bytes(),
          File::kReadable, { { "http://a/|title|Work", "http://b/|title|", "http://c/|title|-", "http://d/|title|-" } } },
        { "a command of another size is passed over",
          [] { Snss s; s.Window(1, 10, { "http://a/" }); std::string b = s.Bytes();
               b += std::string("\x0d\x00\x0c", 3) + std::string(12, '\x01');  // pinned, 12 bytes instead of 8
               return b + Snss().Marker().Bytes().substr(8); }(),
          File::kReadable, { { "http://a/|title|-" } } },
        { "a torn end keeps the commands before it", TwoWindows().Marker().Bytes() + std::string("\x40\x00\x06\x01", 4),
          File::kReadable, two },
        { "no marker: never written whole", TwoWindows().Bytes(), File::kNoMarker, {} },
        { "version 1 came before the marker", [] { std::string b = TwoWindows().Bytes(); b[4] = 1; return b; }(),
          File::kReadable, two },
        { "version 2", [] { std::string b = TwoWindows().Bytes(); b[4] = 2; return b; }(), File::kEncrypted, {} },
        { "version 4", [] { std::string b = TwoWindows().Bytes(); b[4] = 4; return b; }(), File::kEncrypted, {} },
        { "version 5 without a key", TwoWindows().Marker().Version5([](const std::string& r) { return r; }),
          File::kEncrypted, {} },
        { "version 6", [] { std::string b = TwoWindows().Bytes(); b[4] = 6; return b; }(), File::kNotSession, {} },
        { "not SNSS", "SNSX" + TwoWindows().Bytes().substr(4), File::kNotSession, {} },
    };
    for (const auto& c : cases) {
        std::vector<SessionWindow> windows;
        EXPECT_EQ(c.read, ChromiumSession::Windows(c.file, &windows)) << c.what;
        EXPECT_EQ(c.windows, Shape(windows)) << c.what;
    }
}

// Version 5: each record sealed on its own; the key's decryptor opens them, and a record it
// cannot open leaves the file unread rather than half read.
TEST(ChromiumSession, EncryptedRecords)
{
    const auto seal = [](const std::string& record) {
        std::string sealed = "v10" + record;
        for (size_t i = 3; i < sealed.size(); ++i)
            sealed[i] ^= 0x5A;
        return sealed;
    };
    const ChromiumSession::Decrypt open = [](std::string_view record, std::string* plain) {
        if (record.substr(0, 3) != "v10")
            return false;
        plain->assign(record.substr(3));
        for (char& c : *plain)
            c ^= 0x5A;
        return true;
    };
    const std::string file = TwoWindows().Marker().Version5(seal);
    std::vector<SessionWindow> windows;
    EXPECT_EQ(File::kReadable, ChromiumSession::Windows(file, &windows, open));
    EXPECT_EQ(2u, windows.size());
    std::string other = file;
    other.replace(12, 3, "v20");
    EXPECT_EQ(File::kEncrypted, ChromiumSession::Windows(other, &windows, open));
    EXPECT_TRUE(windows.empty());
    const std::string more = TwoWindows().Marker().Other(3).Version5(seal);
    EXPECT_EQ(File::kReadable, ChromiumSession::Windows(more.substr(0, more.size() - 5), &windows, open))
        << "a torn last record";
    EXPECT_EQ(2u, windows.size());
    EXPECT_EQ(File::kNoMarker, ChromiumSession::Windows(TwoWindows().Version5(seal), &windows, open));
}

TEST(ChromiumSession, FileNameTimes)
{
    const struct { const char* name; bool ok; int64_t time; } cases[] = {
        { "Session_13380000000000000", true, 13380000000000000 }, { "Session_1", true, 1 },
        { "Session_", false, 0 }, { "Session_12a", false, 0 }, { "Tabs_13380000000000000", false, 0 },
        { "Session_99999999999999999999", false, 0 }, { "Session_-5", false, 0 },
    };
    for (const auto& c : cases) {
        int64_t time = 0;
        EXPECT_EQ(c.ok, ChromiumSession::NameTime(c.name, &time)) << c.name;
        if (c.ok) {
            EXPECT_EQ(c.time, time) << c.name;
        }
    }
}

// However many tabs, windows and navigations a file names, the replay stays as large as a real
// session's: 60,000 tab ids of 50 navigations each.
TEST(ChromiumSession, AHostileFileStaysBounded)
{
    Snss s;
    s.WindowType(1);
    for (int32_t tab = 0; tab < 60000; ++tab)
        s.TabWindow(1, tab);
    for (int32_t i = 0; i < 1000; ++i)
        s.Navigation(3, i, "http://n/" + std::to_string(i));
    s.Selected(3, 999).Marker();
    std::vector<SessionWindow> windows;
    ASSERT_EQ(File::kReadable, ChromiumSession::Windows(s.Bytes(), &windows));
    ASSERT_EQ(1u, windows.size());
    EXPECT_EQ("http://n/255", windows[0].tabs.at(0).url) << "the navigations past the bound are not kept";
}

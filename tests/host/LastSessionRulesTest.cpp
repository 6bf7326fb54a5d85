// What of a last session can be brought back (SessionWindows), and whether a stopped browser
// brings it back by itself (BrowserRestorePrefs).
#include "history/BrowserRestorePrefs.h"
#include "history/SessionWindows.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
SessionTab Tab(std::string url, std::string title = {}, std::string group = {}, bool inGroup = false, bool pinned = false)
{
    SessionTab t;
    t.url = std::move(url), t.title = std::move(title), t.group = std::move(group), t.inGroup = inGroup, t.pinned = pinned;
    return t;
}
}

TEST(SessionWindows, KeepsWhatABrowserCanBeAskedToOpen)
{
    std::vector<SessionWindow> windows(3);
    windows[0].tabs = { Tab("http://a/", "A"), Tab("chrome://settings/", "S"), Tab("javascript:alert(1)"),
                        Tab("data:text/html,x"), Tab(std::string("http://nul/\0x", 13)), Tab("HTTPS://B/", std::string(5000, 't')),
                        Tab("http://" + std::string(40000, 'l') + "/"), Tab(""), Tab("about:blank") };
    windows[1].tabs = { Tab("file:///c:/x"), Tab("chrome-extension://id/suspended.html") };
    windows[2].tabs = { Tab("http://c/", "", std::string(3000, 'g'), true, true) };
    SessionWindows::Keep(&windows);
    ASSERT_EQ(2u, windows.size()) << "a window left with no tab goes";
    ASSERT_EQ(2u, windows[0].tabs.size());
    EXPECT_EQ("http://a/", windows[0].tabs[0].url);
    EXPECT_EQ("HTTPS://B/", windows[0].tabs[1].url);
    EXPECT_EQ(SessionWindows::kLongestTitle, windows[0].tabs[1].title.size());
    EXPECT_EQ(SessionWindows::kLongestTitle, windows[1].tabs[0].group.size());
    EXPECT_TRUE(windows[1].tabs[0].pinned);

    std::vector<SessionWindow> many(3);
    for (SessionWindow& w : many)
        w.tabs.assign(4000, Tab("http://x/"));
    SessionWindows::Keep(&many);
    EXPECT_EQ(SessionWindows::kMostTabs, SessionWindows::TabCount(many));

    SessionWindow mixed;
    mixed.tabs = { Tab("http://1/"), Tab("http://p1/", "", "", false, true), Tab("http://2/"), Tab("http://p2/", "", "", false, true) };
    std::vector<std::string> order;
    for (const SessionTab& t : SessionWindows::OpeningOrder(mixed))
        order.push_back(t.url);
    EXPECT_EQ((std::vector<std::string>{ "http://p1/", "http://p2/", "http://1/", "http://2/" }), order);
}

TEST(BrowserRestorePrefs, ChromiumContinuesWhereTheUserLeftOff)
{
    const struct { const char* json; bool restores; } cases[] = {
        { R"({"session":{"restore_on_startup":1},"profile":{"exit_type":"Normal"}})", true },
        { R"({"session":{"restore_on_startup":1},"profile":{"exit_type":"SessionEnded"}})", true },
        { R"({"session":{"restore_on_startup":1}})", true },
        { R"({"session":{"restore_on_startup":1},"profile":{"exit_type":"Crashed"}})", false },
        { R"({"session":{"restore_on_startup":5},"profile":{"exit_type":"Normal"}})", false },
        { R"({"session":{"restore_on_startup":"1"}})", false },
        { R"({"profile":{"exit_type":"Normal"}})", false },
        { R"({"session":{"restore_on_startup":1})", false },  // cut short
        { "", false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.restores, BrowserRestorePrefs::ChromiumRestores(c.json)) << c.json;
}

TEST(BrowserRestorePrefs, FirefoxShowsTheLastWindowsOrResumes)
{
    const std::string page3 = "// Mozilla User Preferences\nuser_pref(\"browser.startup.page\", 3);\n";
    const std::string page1 = "user_pref(\"browser.startup.page\", 1);\r\n";
    const std::string once = "user_pref(\"browser.sessionstore.resume_session_once\", true);\n";
    const std::string noResume = "user_pref(\"browser.sessionstore.resume_from_crash\", false);\n";
    const struct { const char* what; std::string prefs, user; bool crashed, restores; } cases[] = {
        { "the last windows at each start", page3, "", false, true },
        { "user.js sets another page", page3, page1, false, false },
        { "user.js sets the last windows", page1, page3, false, true },
        { "the start page", page1, "", false, false },
        { "nothing set, a clean exit", "", "", false, false },
        { "resume once (an update's restart)", once, "", false, true },
        { "a crash: resumed", "", "", true, true },
        { "a crash, resuming turned off", noResume, "", true, false },
        { "the name inside another line's text", "user_pref(\"x\", \"user_pref(\\\"browser.startup.page\\\", 3);\");\n", "",
          false, false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.restores, BrowserRestorePrefs::FirefoxRestores(c.prefs, c.user, c.crashed)) << c.what;
}

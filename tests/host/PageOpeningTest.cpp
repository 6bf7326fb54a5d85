// The opening loop of the reopen command over an automated browser window and a launcher that
// log what they are asked.
#include "reopen/PageOpening.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using BYTE = unsigned char;

namespace {

// A browser that records what the opening loop does with it.
struct BrowserLog {
    static std::vector<std::string> calls;
    static int failCreateAt;  // the n-th creation fails (1-based), 0 none
    static int creations;
};
std::vector<std::string> BrowserLog::calls;
int BrowserLog::failCreateAt = 0;
int BrowserLog::creations = 0;

class LoggingBrowser {
public:
    LoggingBrowser() { BrowserLog::calls.push_back("construct"); }
    ~LoggingBrowser() { BrowserLog::calls.push_back("destroy"); }
    bool CreateBrowser()
    {
        bool ok = ++BrowserLog::creations != BrowserLog::failCreateAt;
        BrowserLog::calls.push_back(ok ? "create" : "create failed");
        return ok;
    }
    bool WaitUntilReady(int ms)
    {
        BrowserLog::calls.push_back("wait " + std::to_string(ms));
        return false;
    }
    void Navigate(const char* url, int flags, const char* frame, const char* headers, const BYTE* post, int length)
    {
        BrowserLog::calls.push_back(std::string("navigate ") + url + " " + std::to_string(flags) +
                                    (frame || headers || post || length ? " extra" : ""));
    }
};

// The URL cache's own loop: one browser at a time, oldest first, a failed creation skips that
// entry only.
TEST(OpenAll, OneBrowserAtATimeOldestFirstFailuresSkipped)
{
    RecentSet recent(3);
    recent.Add(HistoryEntry("http://c/", 30, true));
    recent.Add(HistoryEntry("http://a/", 10, true));
    recent.Add(HistoryEntry("", 20, true));
    BrowserLog::calls.clear();
    BrowserLog::failCreateAt = 2;
    BrowserLog::creations = 0;
    CHistoryReopener::OpenAll<LoggingBrowser>(recent);
    const std::vector<std::string> expected = {
        "construct", "create", "wait 2000", "navigate http://a/ 0", "destroy",
        "construct", "create failed", "destroy",
        "construct", "create", "wait 2000", "navigate http://c/ 0", "destroy",
    };
    EXPECT_EQ(expected, BrowserLog::calls);
}

// The pages in the order given: the URL cache's each in an automated window of its own, one
// at a time (a failed creation skips that page only), the browsers' through the launcher; an
// address that runs a script or carries its own content is opened from no source.
TEST(PageOpening, OneWindowAtATimeInOrderFailuresAndScriptsSkipped)
{
    const std::vector<PageCandidate> pages = {
        { "http://a/", 1, nullptr, {}, {} },
        { "http://b/", 2, Browsers::Find("Chrome"), "Default", L"chrome.exe" },
        { "http://c/", 3, nullptr, {}, {} },
        { "http://d/", 4, nullptr, {}, {} },
        { "javascript:alert(1)", 5, nullptr, {}, {} },
        { "Visited: alice@vbscript:msgbox(1)", 6, nullptr, {}, {} },
        { "DATA:text/html,x", 7, Browsers::Find("Firefox"), {}, L"firefox.exe" },
        { "http://e/", 8, Browsers::Find("Firefox"), {}, L"firefox.exe" },
        { "http://f/", 9, Browsers::Find("Edge"), "Profile 1", L"msedge.exe" },
    };
    BrowserLog::calls.clear();
    BrowserLog::failCreateAt = 2;
    BrowserLog::creations = 0;
    std::vector<OpenOutcome> outcomes = PageOpening::OpenAll<LoggingBrowser>(pages, [](const PageCandidate& page) {
        BrowserLog::calls.push_back("launch " + page.url + " " + page.profile);
        return page.url != "http://f/";
    });
    const std::vector<std::string> expected = {
        "construct", "create", "wait 2000", "navigate http://a/ 0", "destroy",
        "launch http://b/ Default",
        "construct", "create failed", "destroy",
        "construct", "create", "wait 2000", "navigate http://d/ 0", "destroy",
        "launch http://e/ ",
        "launch http://f/ Profile 1",
    };
    EXPECT_EQ(expected, BrowserLog::calls);
    using O = OpenOutcome;
    EXPECT_EQ((std::vector<OpenOutcome>{ O::Opened, O::Opened, O::Failed, O::Opened, O::Refused, O::Refused, O::Refused,
                                         O::Opened, O::Failed }),
              outcomes);
}

// As tabs: each browser profile's pages go together, oldest first, when the oldest one's turn
// comes; the URL cache's one window each, in their places; a script address is left out of its
// group; what the launcher did not hand on failed.
TEST(PageOpening, AsTabsEachProfilesPagesTogetherWhenTheOldestsTurnComes)
{
    const std::vector<PageCandidate> pages = {
        { "http://b1/", 1, Browsers::Find("Chrome"), "Default", L"chrome.exe" },
        { "http://a/", 2, nullptr, {}, {} },
        { "http://f1/", 3, Browsers::Find("Firefox"), "work", L"firefox.exe" },
        { "http://b2/", 4, Browsers::Find("Chrome"), "Profile 1", L"chrome.exe" },
        { "javascript:x", 5, Browsers::Find("Chrome"), "Default", L"chrome.exe" },
        { "http://b3/", 6, Browsers::Find("Chrome"), "Default", L"chrome.exe" },
        { "http://f2/", 7, Browsers::Find("Firefox"), "work", L"firefox.exe" },
    };
    BrowserLog::calls.clear();
    BrowserLog::failCreateAt = 0;
    BrowserLog::creations = 0;
    std::vector<OpenOutcome> outcomes =
        PageOpening::OpenAllAsTabs<LoggingBrowser>(pages, [](const std::vector<const PageCandidate*>& tabs) {
            std::string call = "tabs " + tabs.front()->profile;
            for (const PageCandidate* page : tabs)
                call += " " + page->url;
            BrowserLog::calls.push_back(call);
            return std::vector<bool>(tabs.size(), tabs.front()->profile != "Profile 1");
        });
    const std::vector<std::string> expected = {
        "tabs Default http://b1/ http://b3/",
        "construct", "create", "wait 2000", "navigate http://a/ 0", "destroy",
        "tabs work http://f1/ http://f2/",
        "tabs Profile 1 http://b2/",
    };
    EXPECT_EQ(expected, BrowserLog::calls);
    using O = OpenOutcome;
    EXPECT_EQ((std::vector<OpenOutcome>{ O::Opened, O::Opened, O::Opened, O::Failed, O::Refused, O::Opened, O::Opened }),
              outcomes);
}
}

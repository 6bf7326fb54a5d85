// The opening loop of the reopen command over a browser that logs what it is asked.
#include "history/CHistoryReopener.h"
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

TEST(OpenEach, OneBrowserAtATimeOldestFirstFailuresSkipped)
{
    RecentSet recent(3);
    recent.Add(HistoryEntry("http://c/", 30, true));
    recent.Add(HistoryEntry("http://a/", 10, true));
    recent.Add(HistoryEntry("", 20, true));
    BrowserLog::calls.clear();
    BrowserLog::failCreateAt = 2;
    BrowserLog::creations = 0;
    CHistoryReopener().OpenEach<LoggingBrowser>(recent);
    const std::vector<std::string> expected = {
        "construct", "create", "wait 2000", "navigate http://a/ 0", "destroy",
        "construct", "create failed", "destroy",
        "construct", "create", "wait 2000", "navigate http://c/ 0", "destroy",
    };
    EXPECT_EQ(expected, BrowserLog::calls);
}
}

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

// The pages in the order given: the URL cache's each in an automated window of its own, one
// at a time (a failed creation skips that page only), the browsers' through the launcher; an
// address that runs a script or carries its own content is opened from no source.
TEST(PageOpening, OneWindowAtATimeInOrderFailuresAndScriptsSkipped)
{
    const std::vector<PageCandidate> pages = {
        { "http://a/", 1, PageSource::UrlCache, {}, {} },
        { "http://b/", 2, PageSource::Chrome, "Default", L"chrome.exe" },
        { "http://c/", 3, PageSource::UrlCache, {}, {} },
        { "http://d/", 4, PageSource::UrlCache, {}, {} },
        { "javascript:alert(1)", 5, PageSource::UrlCache, {}, {} },
        { "Visited: alice@vbscript:msgbox(1)", 6, PageSource::UrlCache, {}, {} },
        { "DATA:text/html,x", 7, PageSource::Firefox, {}, L"firefox.exe" },
        { "http://e/", 8, PageSource::Firefox, {}, L"firefox.exe" },
        { "http://f/", 9, PageSource::Edge, "Profile 1", L"msedge.exe" },
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
}

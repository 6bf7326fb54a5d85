// The browser window against a browser of the test's own (registered for the
// InternetExplorer class id in this process), and against Wine's real browser.
#include "CountingMallocSpy.h"
#include "FakeBrowser.h"
#include "LoopbackHttpServer.h"
#include "WinDriver.h"
#include "../../browser/CBrowserWindow.h"
#include "../../browser/LaunchCommand.h"
#include <shellapi.h>
#include <gtest/gtest.h>
#include <ole2.h>
#include <thread>

using namespace WinDriver;

namespace {

class BrowserTest : public testing::Test {
protected:
    // COM as the program has it: OLE initialised on the thread by start-up.
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override { OleUninitialize(); }
};

struct NavigateCase {
    const char* what;
    const char* url;
    int flags;
    const char* frame;
    const char* headers;
    const char* post;
    int postLength;
    // expected
    std::wstring url_;
    bool frameNull, headersNull;
    VARTYPE postType;
    std::string postBytes;
};

TEST_F(BrowserTest, NavigateBuildsEveryArgumentAndReleasesThem)
{
    FakeBrowser browser;
    FakeBrowserFactory factory({ &browser });
    ASSERT_TRUE(factory.Register());
    const char zeros[] = "ab\0cd";
    const NavigateCase cases[] = {
        { "no post data: empty whatever the length", "http://127.0.0.1/a", 0, nullptr, nullptr, nullptr, 5,
          L"http://127.0.0.1/a", true, true, VT_EMPTY, "" },
        { "length 0: up to the first zero byte", "http://h/", 0, nullptr, nullptr, zeros, 0, L"http://h/", true, true,
          VT_ARRAY | VT_UI1, "ab" },
        { "positive length: exactly, zeros included", "http://h/", 0, nullptr, nullptr, zeros, 5, L"http://h/", true,
          true, VT_ARRAY | VT_UI1, std::string(zeros, 5) },
        { "frame, headers, flags", "http://h/", 0x2, "_blank", "X-A: 1\r\n", nullptr, 0, L"http://h/", false, false,
          VT_EMPTY, "" },
        { "URL through the ANSI code page", "http://127.0.0.1/\x97\xe1", 0, nullptr, nullptr, nullptr, 0,
          L"http://127.0.0.1/\u4F8B", true, true, VT_EMPTY, "" },
        { "empty URL", "", 0, nullptr, nullptr, nullptr, 0, L"", true, true, VT_EMPTY, "" },
    };
    {
        CBrowserWindow window;
        ASSERT_TRUE(window.CreateBrowser());
        EXPECT_TRUE(browser.visible);
        EXPECT_EQ(2, browser.refs);
        for (const NavigateCase& c : cases) {
            window.Navigate(c.url, c.flags, c.frame, c.headers, reinterpret_cast<const BYTE*>(c.post), c.postLength);
            ASSERT_FALSE(browser.navigations.empty());
            const NavigateCall& got = browser.navigations.back();
            EXPECT_EQ(c.url_, got.url) << c.what;
            EXPECT_FALSE(got.urlIsNull) << c.what;
            EXPECT_EQ(VT_I4, got.flagsType) << c.what;
            EXPECT_EQ(c.flags, got.flags) << c.what;
            EXPECT_EQ(VT_BSTR, got.frameType) << c.what;
            EXPECT_EQ(c.frameNull, got.frameIsNull) << c.what;
            EXPECT_EQ(VT_BSTR, got.headersType) << c.what;
            EXPECT_EQ(c.headersNull, got.headersIsNull) << c.what;
            EXPECT_EQ(c.frame ? L"_blank" : L"", got.frame) << c.what;
            EXPECT_EQ(c.headers ? L"X-A: 1\r\n" : L"", got.headers) << c.what;
            EXPECT_EQ(c.postType, got.postType) << c.what;
            EXPECT_EQ(c.postBytes, std::string(got.post.begin(), got.post.end())) << c.what;
            EXPECT_EQ(2, browser.refs) << c.what;
        }
    }
    EXPECT_EQ(1, browser.refs) << "the object gives up its reference";
    EXPECT_EQ(1, browser.created);
}

TEST_F(BrowserTest, NavigateFreesEverythingItBuilt)
{
    FakeBrowser browser;
    FakeBrowserFactory factory({ &browser });
    ASSERT_TRUE(factory.Register());
    CBrowserWindow window;
    ASSERT_TRUE(window.CreateBrowser());
    const char post[] = "k=v&x=y";
    window.Navigate("http://h/warm-up", 0, "f", "h", reinterpret_cast<const BYTE*>(post), 0);
    CountingMallocSpy& spy = CountingMallocSpy::Start();
    window.Navigate("http://h/counted", 1, "frame", "Headers: x\r\n", reinterpret_cast<const BYTE*>(post), 7);
    window.Navigate("http://h/counted2", 0, nullptr, nullptr, nullptr, 0);
    EXPECT_TRUE(CountingMallocSpy::Stop()) << "the spy still had blocks to watch: something was not freed";
    EXPECT_GE(spy.allocations, 5) << "the spy sees the strings and the array";
    EXPECT_EQ(0, spy.outstanding) << "every BSTR and array Navigate built is freed";
    EXPECT_EQ(3u, browser.navigations.size());
}

TEST_F(BrowserTest, SecondCreateReleasesTheFirstBrowser)
{
    FakeBrowser first, second;
    FakeBrowserFactory factory({ &first, &second });
    ASSERT_TRUE(factory.Register());
    {
        CBrowserWindow window;
        ASSERT_TRUE(window.CreateBrowser());
        EXPECT_EQ(2, first.refs);
        ASSERT_TRUE(window.CreateBrowser());
        ASSERT_EQ(2u, factory.firstRefsAtRequest.size());
        EXPECT_EQ(1, factory.firstRefsAtRequest[1]) << "released before the next is created";
        EXPECT_EQ(1, first.refs);
        EXPECT_EQ(2, second.refs);
        EXPECT_TRUE(first.visible);
        EXPECT_TRUE(second.visible);
        // A failing creation leaves the object without a browser.
        factory.createResult = E_FAIL;
        EXPECT_FALSE(window.CreateBrowser());
        EXPECT_EQ(1, second.refs);
    }
    EXPECT_EQ(1, first.refs);
    EXPECT_EQ(1, second.refs);
}

TEST_F(BrowserTest, WaitUntilReadyAsksTheBrowser)
{
    FakeBrowser browser;
    FakeBrowserFactory factory({ &browser });
    ASSERT_TRUE(factory.Register());
    CBrowserWindow window;
    ASSERT_TRUE(window.CreateBrowser());
    browser.readyState = READYSTATE_COMPLETE;
    // The timing rules themselves are tested with a fake clock (ReadyWaitTest).
    EXPECT_TRUE(window.WaitUntilReady(2000));
    browser.readyResult = E_NOTIMPL;  // as Wine's browser answers
    DWORD start = GetTickCount();
    EXPECT_FALSE(window.WaitUntilReady(300));
    EXPECT_GT(GetTickCount() - start, 300u);
}

// A thread whose COM is multithreaded already: the browser's single-threaded initialisation
// fails, the user is told once per object, and the objects work all the same.
TEST(BrowserComInit, FailingInitialisationIsReportedOncePerObject)
{
    std::vector<std::wstring> texts;
    std::vector<HWND> owners;
    bool stop = false;
    std::thread watcher([&] {
        while (!stop) {
            if (HWND box = FindMessageBox(GetCurrentProcessId())) {
                texts.push_back(MessageBoxText(box) + L" | " + Text(box));
                owners.push_back(GetWindow(box, GW_OWNER));
                PostClick(box, IDOK);
                WaitFor([&] { return !IsWindow(box); }, 5000);
            }
            Sleep(30);
        }
    });
    ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    {
        FakeBrowser browser;
        FakeBrowserFactory factory({ &browser, &browser });
        ASSERT_TRUE(factory.Register());
        for (int i = 0; i < 2; ++i) {
            CBrowserWindow window;
            ASSERT_TRUE(window.CreateBrowser());
            window.Navigate("http://h/", 0, nullptr, nullptr, nullptr, 0);
        }
        EXPECT_EQ(2u, browser.navigations.size());
        EXPECT_EQ(1, browser.refs);
    }
    stop = true;
    watcher.join();
    ASSERT_EQ(2u, texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(L"Failed to create Internet Explorer object. | Backtracker", texts[i]);
        EXPECT_EQ(nullptr, owners[i]);
    }
    // The objects undid nothing of the thread's own initialisation.
    APTTYPE type;
    APTTYPEQUALIFIER qualifier;
    ASSERT_EQ(S_OK, CoGetApartmentType(&type, &qualifier));
    EXPECT_EQ(APTTYPE_MTA, type);
    CoUninitialize();
}

// The browser window with a look at the browser it drives.
class BrowserProbe : public CBrowserWindow {
public:
    bool ReportsComplete()
    {
        READYSTATE state = READYSTATE_UNINITIALIZED;
        return m_pBrowser && SUCCEEDED(m_pBrowser->get_ReadyState(&state)) && state == READYSTATE_COMPLETE;
    }
};

TEST_F(BrowserTest, RealBrowserNavigatesWaitsOutItsTimeAndStaysOpen)
{
    LoopbackHttpServer server;
    ASSERT_TRUE(server.Running());
    {
        BrowserProbe window;
        ASSERT_TRUE(window.CreateBrowser()) << "Wine's InternetExplorer could not be created";
        DWORD start = GetTickCount();
        bool ready = window.WaitUntilReady(2000);
        DWORD waited = GetTickCount() - start;
        // What the wait said matches the browser: ready when it reports complete, otherwise
        // only once the time is out. (Wine's browser does not tell its state.)
        EXPECT_EQ(window.ReportsComplete(), ready);
        if (!ready) {
            EXPECT_GT(waited, 2000u);
        }
        EXPECT_LT(waited, 30000u);
        window.Navigate(server.Url("/real-page").c_str(), 0, nullptr, nullptr, nullptr, 0);
    }
    EXPECT_TRUE(WaitFor([&] { return !server.Requests().empty(); }, 30000)) << "the page was not requested";
    EXPECT_EQ(std::vector<std::string>{ "/real-page" }, server.Requests());
    HWND frame = FindWindowW(L"IEFrame", nullptr);
    EXPECT_TRUE(frame && IsWindowVisible(frame)) << "the browser window stays open";
    EndProcessesWithWindowClass(L"IEFrame");
}

std::wstring Wide(const std::string& utf8)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &w[0], n);
    return w;
}

// The platform's own reading of the command lines that start a browser: every hostile address
// is one argument, after Chromium's end of switches, as the address was made safe.
TEST(LaunchCommand, ThePlatformReadsBackEachArgument)
{
    const char* const urls[] = {
        "http://x/\" --renderer-cmd-prefix=calc", "http://x/a\nb c\td", "http://x/\\\\\"y\\", "http://例え.jp/パス",
        "https://x/?q=\"\"&r=\\",
    };
    const std::string program = "C:\\Program Files\\Microsoft\\Edge\\Application\\msedge.exe";
    for (const char* url : urls) {
        std::string safe;
        ASSERT_TRUE(LaunchCommand::SafeUrl(url, &safe)) << url;
        for (auto browser : { LaunchCommand::Browser::Chromium, LaunchCommand::Browser::Firefox }) {
            std::vector<std::string> args = LaunchCommand::Arguments(browser, "Profile 2", safe);
            std::wstring line = Wide(LaunchCommand::CommandLine(program, args));
            int count = 0;
            LPWSTR* argv = CommandLineToArgvW(line.c_str(), &count);
            ASSERT_TRUE(argv);
            std::vector<std::wstring> got(argv, argv + count);
            LocalFree(argv);
            std::vector<std::wstring> expected = { Wide(program) };
            for (const std::string& a : args)
                expected.push_back(Wide(a));
            EXPECT_EQ(expected, got) << url;
            EXPECT_EQ(Wide(safe), got.back());
        }
    }
    std::string refused;
    EXPECT_FALSE(LaunchCommand::SafeUrl("-P evil", &refused));
}
}

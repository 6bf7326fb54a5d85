// The history scan against Wine's real URL cache, seeded with records of chosen times, and
// the real survey of open windows.
#include "CountingMallocSpy.h"
#include "FakeBrowser.h"
#include "FakeShellWindows.h"
#include "HistorySeeder.h"
#include "../../history/CHistoryReopener.h"
#include "../../history/CollectOpenBrowserUrls.h"
#include "../../history/ScanFlags.h"
#include <gtest/gtest.h>
#include <exdisp.h>
#include <ole2.h>
#include <set>

namespace {

const unsigned ALL = SCAN_HTTP_ONLY | SCAN_SKIP_OPEN | SCAN_ONLY_MINE;

class HistoryTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        HistorySeeder::Clear();
        user_ = HistorySeeder::CurrentUser();
        ASSERT_FALSE(user_.empty());
    }
    void TearDown() override
    {
        HistorySeeder::Clear();
        OleUninitialize();
    }

    void Seed(const std::string& name, int64_t t) { ASSERT_TRUE(HistorySeeder::Add(name, t)) << name; }
    void Visit(const std::string& url, int64_t t) { Seed(HistorySeeder::VisitName(url), t); }

    std::vector<std::pair<int32_t, std::string>> Scan(unsigned flags, uint32_t n)
    {
        RecentSet recent(n);
        CHistoryReopener::ScanHistory(recent, flags);
        std::vector<std::pair<int32_t, std::string>> got;
        for (const HistoryEntry& e : recent.m_entries)
            got.emplace_back(e.m_time, e.m_url);
        return got;
    }

    std::string user_;
};

using Kept = std::vector<std::pair<int32_t, std::string>>;

TEST_F(HistoryTest, LatestOfTheUsersHttpVisitsInAscendingTime)
{
    const int64_t base = 1765000000;
    Visit("http://127.0.0.1/a", base + 100);
    Visit("http://127.0.0.1/c", base + 300);
    Visit("http://127.0.0.1/e", base + 500);
    Visit("http://127.0.0.1/b", base + 200);
    Visit("http://127.0.0.1/d", base + 400);
    Seed("Visited: someoneelse@http://127.0.0.1/other", base + 600);
    Visit("ftp://127.0.0.1/f", base + 700);
    Visit("https://127.0.0.1/s", base + 800);

    EXPECT_EQ((Kept{ { base + 300, "http://127.0.0.1/c" }, { base + 400, "http://127.0.0.1/d" },
                     { base + 500, "http://127.0.0.1/e" } }),
              Scan(ALL, 3));
    // Other users' visits count without the user filter.
    EXPECT_EQ((Kept{ { base + 500, "http://127.0.0.1/e" }, { base + 600, "http://127.0.0.1/other" } }),
              Scan(SCAN_HTTP_ONLY, 2));
    // Without the http filter the store's whole names are kept.
    EXPECT_EQ((Kept{ { base + 700, HistorySeeder::VisitName("ftp://127.0.0.1/f") },
                     { base + 800, HistorySeeder::VisitName("https://127.0.0.1/s") } }),
              Scan(SCAN_ONLY_MINE, 2));
}

TEST_F(HistoryTest, EmptyStoreGivesEmptySet)
{
    EXPECT_TRUE(HistorySeeder::Names().empty());
    EXPECT_TRUE(Scan(ALL, 16).empty());
    EXPECT_TRUE(Scan(0, 16).empty());
}

TEST_F(HistoryTest, HugeRecordDoesNotHideTheOthers)
{
    const int64_t base = 1765000000;
    const std::string huge = "http://127.0.0.1/huge?" + std::string(70000, 'q');
    for (int i = 0; i < 20; ++i)
        Visit("http://127.0.0.1/p" + std::to_string(i), base + i);
    Visit(huge, base + 100);
    ASSERT_EQ(21u, HistorySeeder::Names().size());
    Kept kept = Scan(ALL, 16);
    ASSERT_EQ(16u, kept.size());
    EXPECT_EQ(huge, kept.back().second);
    for (int i = 5; i < 20; ++i)
        EXPECT_EQ("http://127.0.0.1/p" + std::to_string(i), kept[static_cast<size_t>(i - 5)].second);
}

// Wine's shell window collection cannot count its windows: the survey returns, empty.
TEST_F(HistoryTest, RealSurveyReturnsWithoutAddresses)
{
    EntrySet urls;
    CollectOpenBrowserUrls(urls);
    EXPECT_TRUE(urls.empty());
    Visit("http://127.0.0.1/a", 1765000000);
    EXPECT_EQ(1u, Scan(ALL, 3).size());
}

// The open windows as the shell's collection tells them: each browser's address is read and
// let go, windows that are no browser or do not tell their address are passed over, and the
// scan leaves out what is open.
TEST_F(HistoryTest, SurveyReadsEachOpenAddressAndTheScanSkipsThem)
{
    FakeBrowser open, silent, folder, japanese;
    open.locationUrl = L"http://127.0.0.1/b";
    open.locationResult = S_OK;
    folder.isBrowser = false;
    japanese.locationUrl = L"http://127.0.0.1/\u65e5\u672c";
    japanese.locationResult = S_OK;
    FakeShellWindows shell({ &open, &silent, &folder, &japanese });
    ASSERT_TRUE(shell.Register());

    EntrySet urls;
    CountingMallocSpy& spy = CountingMallocSpy::Start();
    CollectOpenBrowserUrls(urls);
    EXPECT_TRUE(CountingMallocSpy::Stop()) << "an address string of the survey was not freed";
    EXPECT_EQ(0, spy.outstanding);
    std::set<std::string> got;
    for (const HistoryEntry& e : urls)
        got.insert(e.m_url);
    EXPECT_EQ((std::set<std::string>{ "http://127.0.0.1/b", "http://127.0.0.1/\x93\xfa\x96\x7b" }), got);
    for (FakeBrowser* window : { &open, &silent, &folder, &japanese })
        EXPECT_EQ(1, window->refs) << "every window the survey was handed is released";
    EXPECT_EQ(1, shell.refs) << "the collection is released";

    Visit("http://127.0.0.1/a", 1765000001);
    Visit("http://127.0.0.1/b", 1765000002);
    Visit("http://127.0.0.1/c", 1765000003);
    Visit("http://127.0.0.1/d", 1765000004);
    EXPECT_EQ((Kept{ { 1765000001, "http://127.0.0.1/a" }, { 1765000003, "http://127.0.0.1/c" },
                     { 1765000004, "http://127.0.0.1/d" } }),
              Scan(ALL, 3));
    EXPECT_EQ((Kept{ { 1765000002, "http://127.0.0.1/b" }, { 1765000003, "http://127.0.0.1/c" },
                     { 1765000004, "http://127.0.0.1/d" } }),
              Scan(ALL & ~SCAN_SKIP_OPEN, 3));

    // A collection failing part way keeps what it had gathered; one that cannot count, nothing.
    shell.failItemAt = 1;
    EntrySet partial;
    CollectOpenBrowserUrls(partial);
    EXPECT_EQ(1u, partial.size());
    shell.countResult = E_FAIL;
    EntrySet none;
    CollectOpenBrowserUrls(none);
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(1, shell.refs);
    EXPECT_EQ(1, open.refs);
}

// The class and interface ids that the platform's libraries export are the published ones.
TEST(ComIdentifiers, AreThePublishedOnes)
{
    const struct { const char* what; const GUID& id; const wchar_t* published; } cases[] = {
        { "ShellWindows", CLSID_ShellWindows, L"{9BA05972-F6A8-11CF-A442-00A0C90A8F39}" },
        { "IUnknown", IID_IUnknown, L"{00000000-0000-0000-C000-000000000046}" },
        { "IShellWindows", IID_IShellWindows, L"{85CB6900-4D95-11CF-960C-0080C7F4EE85}" },
        { "IWebBrowser2", IID_IWebBrowser2, L"{D30C1661-CDAF-11D0-8A3E-00C04FC9E26E}" },
        { "InternetExplorer", CLSID_InternetExplorer, L"{0002DF01-0000-0000-C000-000000000046}" },
    };
    for (const auto& c : cases) {
        GUID published;
        ASSERT_EQ(NOERROR, CLSIDFromString(c.published, &published)) << c.what;
        EXPECT_TRUE(IsEqualGUID(published, c.id)) << c.what;
    }
}
}

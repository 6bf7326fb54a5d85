// The list of recent pages over the URL cache while a browser window shows one of its pages:
// the shell's window collection is the test's own, the URL cache the real one.
#include "FakeBrowser.h"
#include "FakeShellWindows.h"
#include "HistorySeeder.h"
#include "../../reopen/ReopenCommand.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

// A page open in a window now is listed, marked and not checked; the latest pages not open are
// the checked ones, as "再び表示" would open them; unmarked without the open filter.
TEST(ReopenCommandList, MarksAPageOpenInAWindowNow)
{
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    HistorySeeder::Clear();
    for (const auto& page : std::vector<std::pair<const char*, int64_t>>{
             { "http://127.0.0.1/a", 1765000001 }, { "http://127.0.0.1/open", 1765000003 }, { "http://127.0.0.1/b", 1765000002 } })
        ASSERT_TRUE(HistorySeeder::Add(HistorySeeder::VisitName(page.first), page.second));
    FakeBrowser window;
    window.locationUrl = L"http://127.0.0.1/open";
    window.locationResult = S_OK;
    {
        FakeShellWindows shell({ &window });
        ASSERT_TRUE(shell.Register());
        for (bool skipOpen : { true, false }) {
            ReopenOptions options;
            options.count = 2;
            options.skipOpen = skipOpen;
            std::vector<std::string> rows;
            for (const ListedPage& row : ReopenCommand::List(options, 16, CBrowserSources::Progress()))
                rows.push_back(row.page.url + (row.page.openNow ? " open" : "") + (row.preChecked ? " checked" : ""));
            const std::vector<std::string> expected =
                skipOpen ? std::vector<std::string>{ "http://127.0.0.1/open open", "http://127.0.0.1/b checked",
                                                     "http://127.0.0.1/a checked" }
                         : std::vector<std::string>{ "http://127.0.0.1/open checked", "http://127.0.0.1/b checked",
                                                     "http://127.0.0.1/a" };
            EXPECT_EQ(expected, rows) << (skipOpen ? "open pages passed over" : "open pages taken as any other");
        }
    }
    HistorySeeder::Clear();
    OleUninitialize();
}

// The list of recent pages apart from its control: order, filter, checks and the copied text.
#include "app/PageTable.h"
#include <gtest/gtest.h>

namespace {
// Newest first, as the command lists them.
PageTable Fixture()
{
    std::vector<PageTable::Row> rows = {
        { L"Zebra news", L"https://zoo.example/", L"Google Chrome / 仕事", L"", 500, false, true, true, L"Zebra news" },
        { L"日本語のページ", L"http://jp.example/", L"Mozilla Firefox / default", L"", 400, true, false, true, L"日本語のページ" },
        { L"apple pie", L"http://APPLE.example/pie", L"Internet Explorer", L"", 300, false, true, true, L"apple pie" },
        { L"Zebra news", L"https://zoo.example/old", L"Microsoft Edge / Default", L"", 200, false, false, true, L"Zebra news" },
        { L"http://ecole.example/", L"http://ecole.example/", L"Brave / カタカナ", L"", 100, false, false, false, L"" },
    };
    PageTable table;
    table.SetRows(rows);
    return table;
}

std::vector<size_t> Order(PageTable::Column column, int clicks)
{
    PageTable table = Fixture();
    for (int i = 0; i < clicks; ++i)
        table.SortBy(column);
    return table.Shown();
}
}

TEST(PageTable, OrderOfEachColumnAndAgainReversed)
{
    using V = std::vector<size_t>;
    const struct { const char* what; PageTable::Column column; int clicks; V order; } cases[] = {
        { "as listed: newest first", PageTable::kTime, 0, V{ 0, 1, 2, 3, 4 } },
        { "time: oldest first", PageTable::kTime, 1, V{ 4, 3, 2, 1, 0 } },
        { "time again: newest first", PageTable::kTime, 2, V{ 0, 1, 2, 3, 4 } },
        // Latin letters in either case; equal titles stay newest first.
        { "title", PageTable::kTitle, 1, V{ 2, 4, 0, 3, 1 } },
        { "title reversed", PageTable::kTitle, 2, V{ 1, 0, 3, 4, 2 } },
        { "address", PageTable::kAddress, 1, V{ 2, 4, 1, 0, 3 } },
        { "source", PageTable::kSource, 1, V{ 4, 0, 2, 3, 1 } },
        { "open now: the others first", PageTable::kOpen, 1, V{ 0, 2, 3, 4, 1 } },
        { "open now first", PageTable::kOpen, 2, V{ 1, 0, 2, 3, 4 } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.order, Order(c.column, c.clicks)) << c.what;
}

TEST(PageTable, FilterNarrowsAndChecksSurvive)
{
    const struct { const wchar_t* text; std::vector<size_t> shown; } cases[] = {
        { L"", { 0, 1, 2, 3, 4 } },
        { L"zebra", { 0, 3 } },          // the title, in another case
        { L"apple.EXAMPLE", { 2 } },     // the address, in another case
        { L"ZOO.EXAMPLE/OLD", { 3 } },
        { L"日本語", { 1 } },            // Japanese as typed
        { L"にほんご", {} },             // ... and not by reading
        { L"ｚｅｂｒａ", { 0, 3 } },     // full-width letters as their ASCII ones
        { L"ＺＯＯ．ｅｘａｍｐｌｅ", { 0, 3 } },  // full-width punctuation too
        { L"chrome / 仕事", { 0 } },     // the browser and profile
        { L"かたかな", { 4 } },          // katakana found by hiragana
        { L"ｶﾀｶﾅ", { 4 } },              // ... and by half-width katakana
        { L"/old", { 3 } },
        { L"nothing like it", {} },
        { L"zebra  old", { 3 } },        // every word, anywhere in the row
        { L"zebra　仕事", { 0 } },       // split at the ideographic space too
        { L" \t　", { 0, 1, 2, 3, 4 } },  // blanks only: no word
    };
    for (const auto& c : cases) {
        PageTable table = Fixture();
        table.SetFilter(c.text);
        EXPECT_EQ(c.shown, table.Shown()) << testing::PrintToString(std::wstring(c.text));
    }

    const struct { const wchar_t* text; int64_t fromUs; std::vector<size_t> shown; } periods[] = {
        { L"", 300, { 0, 1, 2 } },    // seen at or after the period's start
        { L"zebra", 300, { 0 } },     // and the words
        { L"", 501, {} },
    };
    for (const auto& c : periods) {
        PageTable table = Fixture();
        table.SetFilter(c.text, c.fromUs);
        EXPECT_EQ(c.shown, table.Shown()) << c.fromUs;
    }

    PageTable table = Fixture();
    table.SetFilter(L"zebra");
    table.CheckShown(false);   // clears rows 0 and 3 only
    table.SetFilter(L"");
    EXPECT_FALSE(table.At(0).checked);
    EXPECT_TRUE(table.At(2).checked) << "a row the filter hid keeps its check";
    EXPECT_EQ(1u, table.CheckedCount());
    table.SetFilter(L"example");
    table.CheckShown(true);
    EXPECT_FALSE(table.At(1).checked) << "a page open now is not checked by checking all";
    EXPECT_FALSE(table.At(4).checked) << "nor one whose browser's program is missing";
    EXPECT_EQ(3u, table.CheckedCount());
    table.SetChecked(1, true);  // the user's own check stays
    table.SetFilter(L"zoo");
    table.SortBy(PageTable::kTitle);
    EXPECT_EQ(2u, table.CheckedCount()) << "the count is of the rows shown";
    table.SetFilter(L"");
    EXPECT_EQ(4u, table.CheckedCount()) << "neither the filter nor the order changes a check";
}

TEST(PageTable, CheckedRowsOpenOldestFirstAndCopyAsShown)
{
    PageTable table = Fixture();
    table.SetChecked(4, true);
    table.SetChecked(3, true);
    EXPECT_EQ((std::vector<size_t>{ 4, 3, 2, 0 }), table.CheckedOldestFirst());
    EXPECT_EQ(L"Zebra news\thttps://zoo.example/\r\n"
              L"apple pie\thttp://APPLE.example/pie\r\n"
              L"Zebra news\thttps://zoo.example/old\r\n"
              L"\thttp://ecole.example/\r\n",
              table.CopyText()) << "a page without a title copies none";
    table.SortBy(PageTable::kTitle);
    table.SetFilter(L"zebra");  // open and copy take the checked rows shown only
    EXPECT_EQ((std::vector<size_t>{ 3, 0 }), table.CheckedOldestFirst());
    EXPECT_EQ(L"Zebra news\thttps://zoo.example/\r\n"
              L"Zebra news\thttps://zoo.example/old\r\n",
              table.CopyText());
    EXPECT_EQ(L"apple pie\thttp://APPLE.example/pie\r\n", table.CopyText({ 2 })) << "rows named: as asked";
    table.CheckShown(false);
    table.SetFilter(L"");
    EXPECT_EQ(2u, table.CheckedCount()) << "the hidden checks stay";
    table.CheckShown(false);
    EXPECT_EQ(L"", table.CopyText());
    EXPECT_TRUE(table.CheckedOldestFirst().empty());
}

// The view of the last windows: whatever the column or its direction, a window's tabs stay
// together and the windows keep their order; pinned tabs first as made; windows that are open
// or that their browser restores are never checked with the others; the checked tabs come out
// window by window in their order, whatever order the list shows.
TEST(PageTable, TheLastWindowsStayWindowByWindow)
{
    const auto tab = [](const wchar_t* title, size_t window, int64_t place, bool pinned = false) {
        PageTable::Row r;
        r.title = title;
        r.address = std::wstring(L"http://") + title + L"/";
        r.timeUs = place;
        r.window = window;
        r.pinned = pinned;
        r.checked = true;
        return r;
    };
    std::vector<PageTable::Row> rows = { tab(L"c", 0, 0), tab(L"a", 0, 1), tab(L"b", 0, 2, true),
                                         tab(L"z", 1, 0), tab(L"y", 1, 1), tab(L"x", 2, 0), tab(L"w", 2, 1) };
    rows[3].openNow = rows[4].openNow = true;
    rows[5].restoresItself = rows[6].restoresItself = true;
    PageTable table;
    table.SetRows(rows);
    using V = std::vector<size_t>;
    EXPECT_EQ((V{ 2, 0, 1, 3, 4, 5, 6 }), table.Shown()) << "pinned first, then the tabs' order";
    table.SortBy(PageTable::kTitle);
    EXPECT_EQ((V{ 1, 2, 0, 4, 3, 6, 5 }), table.Shown());
    table.SortBy(PageTable::kTitle);
    EXPECT_EQ((V{ 0, 2, 1, 3, 4, 5, 6 }), table.Shown()) << "reversed within each window, the windows not";
    table.CheckShown(false);
    table.CheckShown(true);
    EXPECT_EQ(3u, table.CheckedCount()) << "only the window neither open nor restored by its browser";
    table.SetChecked(6, true);
    table.SetChecked(1, false);
    EXPECT_EQ((std::vector<V>{ V{ 0, 2 }, V{ 6 } }), table.CheckedByWindow());
    table.SetFilter(L"w");
    EXPECT_EQ((std::vector<V>{ V{ 6 } }), table.CheckedByWindow()) << "only the rows shown";
}

// The list of recent pages apart from its control: order, filter, checks and the copied text.
#include "app/PageTable.h"
#include <gtest/gtest.h>

namespace {
// Newest first, as the command lists them.
PageTable Fixture()
{
    std::vector<PageTable::Row> rows = {
        { L"Zebra news", L"https://zoo.example/", L"Google Chrome / 仕事", L"", 500, false, true },
        { L"日本語のページ", L"http://jp.example/", L"Mozilla Firefox / default", L"", 400, true, false },
        { L"apple pie", L"http://APPLE.example/pie", L"Internet Explorer", L"", 300, false, true },
        { L"Zebra news", L"https://zoo.example/old", L"Microsoft Edge / Default", L"", 200, false, false },
        { L"ÉCOLE", L"http://ecole.example/", L"Google Chrome / 仕事", L"", 100, false, false },
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
        { "title", PageTable::kTitle, 1, V{ 2, 0, 3, 4, 1 } },
        { "title reversed", PageTable::kTitle, 2, V{ 1, 4, 0, 3, 2 } },
        { "address", PageTable::kAddress, 1, V{ 2, 4, 1, 0, 3 } },
        { "source", PageTable::kSource, 1, V{ 0, 4, 2, 3, 1 } },
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
        { L"école", { 4 } },             // Latin-1 letters fold too
        { L"日本語", { 1 } },            // Japanese as typed
        { L"にほんご", {} },             // ... and not by reading
        { L"ｚｅｂｒａ", {} },           // full-width letters fold among themselves only
        { L"/old", { 3 } },
        { L"nothing like it", {} },
    };
    for (const auto& c : cases) {
        PageTable table = Fixture();
        table.SetFilter(c.text);
        EXPECT_EQ(c.shown, table.Shown()) << testing::PrintToString(std::wstring(c.text));
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
    table.SetFilter(L"zoo");
    table.SortBy(PageTable::kTitle);
    EXPECT_EQ(5u, table.CheckedCount()) << "neither the filter nor the order changes a check";
}

TEST(PageTable, CheckedRowsOpenOldestFirstAndCopyAsShown)
{
    PageTable table = Fixture();
    table.SetChecked(4, true);
    EXPECT_EQ((std::vector<size_t>{ 4, 2, 0 }), table.CheckedOldestFirst());
    table.SortBy(PageTable::kTitle);
    table.SetFilter(L"zebra");  // the copy takes every checked row, hidden or not
    EXPECT_EQ(L"apple pie\thttp://APPLE.example/pie\r\n"
              L"Zebra news\thttps://zoo.example/\r\n"
              L"ÉCOLE\thttp://ecole.example/\r\n",
              table.CopyText());
    table.CheckShown(false);
    table.SetFilter(L"");
    table.CheckShown(false);
    EXPECT_EQ(L"", table.CopyText());
    EXPECT_TRUE(table.CheckedOldestFirst().empty());
}

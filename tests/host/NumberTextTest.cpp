// What the count field's data exchange accepts as an unsigned number.
#include "framework/NumberText.h"
#include <gtest/gtest.h>

TEST(NumberText, ParseUnsignedTable)
{
    const struct { const wchar_t* text; bool ok; unsigned value; } cases[] = {
        { L"3", true, 3 },
        { L"016", true, 16 },
        { L" 7 ", true, 7 },
        { L"4294967295", true, 4294967295u },
        { L"4294967296", false, 0 },
        { L"99999999999999999999999", false, 0 },
        { L"", false, 0 },
        { L"  ", false, 0 },
        { L"-1", false, 0 },
        { L"+1", false, 0 },
        { L"12a", false, 0 },
        { L"1 2", false, 0 },
        { L"１２", false, 0 },  // full-width digits are not digits here
    };
    for (const auto& c : cases) {
        unsigned value = 0xdeadbeef;
        EXPECT_EQ(c.ok, NumberText::ParseUnsigned(c.text, &value)) << "text \"" << testing::PrintToString(c.text) << "\"";
        EXPECT_EQ(c.ok ? c.value : 0xdeadbeefu, value) << testing::PrintToString(c.text);
    }
}

TEST(NumberText, FormatRangeReplacesBothBounds)
{
    EXPECT_EQ(L"1 から 16 まで", NumberText::FormatRange(L"%1 から %2 まで", 1, 16));
    EXPECT_EQ(L"100% 16-1", NumberText::FormatRange(L"100% %2-%1", 1, 16));
    EXPECT_EQ(L"%", NumberText::FormatRange(L"%", 1, 16));
}

TEST(NumberText, FillInReplacesEachMarkInTurn)
{
    EXPECT_EQ(L"3 件を選択（全 100 件）", NumberText::FillIn(L"%d 件を選択（全 %d 件）", { 3, 100 }));
    EXPECT_EQ(L"Unknown Error (-5) occurred.", NumberText::FillIn(L"Unknown Error (%d) occurred.", { -5 }));
    EXPECT_EQ(L"12 then %d", NumberText::FillIn(L"%d then %d", { 12 })) << "fewer numbers than marks";
    EXPECT_EQ(L"no mark", NumberText::FillIn(L"no mark", { 1, 2 }));
    EXPECT_EQ(L"1 2", NumberText::FillIn(L"%d %d", { 1, 2 }));
}

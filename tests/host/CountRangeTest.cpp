// The count field's clamp while typing.
#include "app/CountRange.h"
#include <climits>
#include <gtest/gtest.h>

TEST(CountRange, ClampTable)
{
    const struct { int typed; bool changes; int shown; } cases[] = {
        { INT_MIN, true, 1 }, { -5, true, 1 }, { 0, true, 1 },
        { 1, false, 0 },      { 3, false, 0 }, { 16, false, 0 },
        { 17, true, 16 },     { 99, true, 16 }, { INT_MAX, true, 16 },
    };
    for (const auto& c : cases) {
        int shown = 0;
        EXPECT_EQ(c.changes, CountRange::Clamp(c.typed, &shown)) << c.typed;
        if (c.changes) {
            EXPECT_EQ(c.shown, shown) << c.typed;
        }
    }
}

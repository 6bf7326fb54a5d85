// Where a link label stands once fitted to its text.
#include "controls/LabelFit.h"
#include <gtest/gtest.h>
#include <climits>

namespace {

TEST(LabelFit, FittingTable)
{
    using R = LabelFit::Rect;
    const struct { const char* what; R window; int cx, cy; unsigned style; bool autoFit; R fitted; } cases[] = {
        { "left: keeps left and top", { 10, 20, 111, 40 }, 50, 12, 0, true, { 10, 20, 60, 32 } },
        { "SS_CENTER 101 and 50 give 51", { 10, 20, 111, 40 }, 50, 12, LabelFit::kCenter, true, { 35, 20, 86, 32 } },
        { "SS_CENTER with a wider text grows", { 10, 20, 40, 40 }, 41, 12, LabelFit::kCenter, true, { 5, 20, 45, 32 } },
        { "SS_RIGHT keeps the right edge", { 10, 20, 111, 40 }, 50, 12, LabelFit::kRight, true, { 61, 20, 111, 32 } },
        { "SS_CENTERIMAGE centres vertically", { 10, 20, 111, 41 }, 50, 12, LabelFit::kCenterImage, true,
          { 10, 24, 60, 37 } },
        { "SS_CENTERIMAGE with a taller text", { 10, 20, 111, 30 }, 50, 15, LabelFit::kCenterImage, true,
          { 10, 18, 60, 32 } },
        { "centre both ways", { 0, 0, 100, 20 }, 30, 10, LabelFit::kCenter | LabelFit::kCenterImage, true,
          { 35, 5, 65, 15 } },
        { "auto-fit off", { 10, 20, 111, 40 }, 50, 12, LabelFit::kCenter, false, { 10, 20, 111, 40 } },
        { "far right and a wide text: held at the int range", { 1 << 30, 0, (1 << 30) + 10, 10 }, INT_MAX, 10, 0,
          true, { 1 << 30, 0, INT_MAX, 10 } },
        { "far down and a tall text", { 0, INT_MAX - 5, 10, INT_MAX }, 10, INT_MAX, 0, true,
          { 0, INT_MAX - 5, 10, INT_MAX } },
        { "right-aligned at the far left", { INT_MIN, 0, INT_MIN + 10, 10 }, INT_MAX, 10, LabelFit::kRight, true,
          { INT_MIN, 0, INT_MIN + 10, 10 } },
        { "centred across the whole range", { INT_MIN, 0, INT_MAX, 10 }, 0, 10, LabelFit::kCenter, true,
          { -1, 0, 0, 10 } },
    };
    for (const auto& c : cases) {
        R got = LabelFit::Fit(c.window, c.cx, c.cy, c.style, c.autoFit);
        EXPECT_TRUE(got == c.fitted) << c.what << ": " << got.left << "," << got.top << "," << got.right << ","
                                     << got.bottom;
    }
}
}

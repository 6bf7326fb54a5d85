#include "LabelFit.h"
#include <climits>
#include <cstdint>

namespace {
// Coordinates are worked out in 64 bits: a window near the edge of the int range and a wide
// text must not overflow. The result is held to what a rectangle can store.
int Clamp(int64_t v) { return v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : static_cast<int>(v); }
}

LabelFit::Rect LabelFit::Fit(Rect r, int cx, int cy, unsigned style, bool autoFit)
{
    if (!autoFit)
        return r;
    int64_t left = r.left, top = r.top, right = r.right, bottom = r.bottom;
    const int64_t w = right - left;
    const int64_t h = bottom - top;
    if (style & kCenterImage) {
        // Division truncates toward zero, as the fitting asks; a taller text grows it.
        int64_t d = (h - cy) / 2;
        top += d;
        bottom -= d;
    } else {
        bottom = top + cy;
    }
    if (style & kCenter) {
        int64_t d = (w - cx) / 2;
        left += d;
        right -= d;
    } else if (style & kRight) {
        left = right - cx;
    } else {
        right = left + cx;
    }
    return { Clamp(left), Clamp(top), Clamp(right), Clamp(bottom) };
}

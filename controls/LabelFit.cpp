#include "LabelFit.h"

LabelFit::Rect LabelFit::Fit(Rect r, int cx, int cy, unsigned style, bool autoFit)
{
    if (!autoFit)
        return r;
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    if (style & kCenterImage) {
        // C++ division truncates toward zero, as the fitting asks; a taller text grows it.
        int d = (h - cy) / 2;
        r.top += d;
        r.bottom -= d;
    } else {
        r.bottom = r.top + cy;
    }
    if (style & kCenter) {
        int d = (w - cx) / 2;
        r.left += d;
        r.right -= d;
    } else if (style & kRight) {
        r.left = r.right - cx;
    } else {
        r.right = r.left + cx;
    }
    return r;
}

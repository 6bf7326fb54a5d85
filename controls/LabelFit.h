// Where a link label stands once fitted to its text.
#pragma once

class LabelFit {
public:
    struct Rect {
        int left, top, right, bottom;
        bool operator==(const Rect& o) const
        {
            return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
        }
    };

    static constexpr unsigned kCenter = 0x1;        // SS_CENTER
    static constexpr unsigned kRight = 0x2;         // SS_RIGHT
    static constexpr unsigned kCenterImage = 0x200; // SS_CENTERIMAGE

    // The window rectangle (parent coordinates) for a text of cx by cy under the style;
    // unchanged when fitting is off.
    static Rect Fit(Rect window, int cx, int cy, unsigned style, bool autoFit);
};

// What the session readers share: the rule for which tabs of a session can be brought back,
// and the bounds every session file is read within.
#pragma once
#include "SessionWindow.h"
#include <cstddef>
#include <string>
#include <vector>

class SessionWindows {
public:
    // Keeps the tabs whose address a browser can be asked to open (http and https; never a
    // script or a page's own content) and that fit the bounds, and the windows left with a tab;
    // at most kMostTabs tabs in all. Titles and group titles are cut, not cleaned.
    static void Keep(std::vector<SessionWindow>* windows);
    // The number of tabs.
    static size_t TabCount(const std::vector<SessionWindow>& windows);
    // Each window's tabs in the order they open in: pinned ones first, each side in its order.
    static std::vector<SessionTab> OpeningOrder(const SessionWindow& window);

    static constexpr size_t kMostTabs = 10000;       // a profile's session
    static constexpr size_t kLongestTitle = 2048;
    static constexpr size_t kLargestFile = 64u << 20;  // a session file, or a declared size
};

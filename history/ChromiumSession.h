// The pages open in a Chromium profile right now, from its session file (Sessions/Session_*,
// or the older "Current Session"): "SNSS", a 32-bit version (1 or 3), then records of a 16-bit
// size (the id byte and the contents), an id byte and the contents. A tab is open when it is
// not closed and its window is not closed; its page is the entry at its selected index. Only
// these records count: 0 SetTabWindow, 6 UpdateTabNavigation, 7 SetSelectedNavigationIndex,
// 16 TabClosed, 17 WindowClosed; every other id (the snapshot's end marker 255, Edge's own) is
// skipped. Every length is checked against what is left; a file of another version, or one
// whose last record is cut short, means "no page known open".
#pragma once
#include <set>
#include <string>

class ChromiumSession {
public:
    static bool OpenUrls(const std::string& fileBytes, std::set<std::string>* urls);
};

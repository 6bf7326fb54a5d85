// One window of a browser's session as the browser would restore it: its tabs in their order,
// each with the page it shows. Everything in it was written by web pages (through the browser):
// the readers bound it and keep only what a browser can be asked to open.
#pragma once
#include <string>
#include <vector>

struct SessionTab {
    std::string url;    // http:// or https://, at most LatestVisits::kLongestUrl bytes
    std::string title;  // UTF-8 as the page gave it, cut at SessionWindows::kLongestTitle bytes
    std::string group;  // the tab group's title (UTF-8, cut as the title); empty for none
    bool inGroup = false;  // in a tab group (which may have no title)
    bool pinned = false;
};

struct SessionWindow {
    std::vector<SessionTab> tabs;
};

#include "SessionWindows.h"
#include "LatestVisits.h"
#include "../text/TitleText.h"
#include "../text/UrlText.h"
#include <algorithm>
#include <cstring>

void SessionWindows::Keep(std::vector<SessionWindow>* windows)
{
    size_t kept = 0;
    std::vector<SessionWindow> out;
    for (SessionWindow& window : *windows) {
        SessionWindow w;
        for (SessionTab& tab : window.tabs) {
            const std::string& u = tab.url;
            if (kept >= kMostTabs || u.empty() || u.size() > LatestVisits::kLongestUrl ||
                std::memchr(u.data(), '\0', u.size()) || !UrlText::IsHttp(u.data(), u.size()))
                continue;
            tab.title = TitleText::Prefix(tab.title, kLongestTitle);
            tab.group = TitleText::Prefix(tab.group, kLongestTitle);
            w.tabs.push_back(std::move(tab));
            ++kept;
        }
        if (!w.tabs.empty())
            out.push_back(std::move(w));
    }
    *windows = std::move(out);
}

size_t SessionWindows::TabCount(const std::vector<SessionWindow>& windows)
{
    size_t n = 0;
    for (const SessionWindow& w : windows)
        n += w.tabs.size();
    return n;
}

std::vector<SessionTab> SessionWindows::OpeningOrder(const SessionWindow& window)
{
    std::vector<SessionTab> tabs = window.tabs;
    std::stable_partition(tabs.begin(), tabs.end(), [](const SessionTab& t) { return t.pinned; });
    return tabs;
}

// The list of recent pages over every source: each address once, newest first, pages open now
// kept and marked, and each row marked when "再び表示" would open it now. Both come from one
// reading: each profile's latest visits that are not open (as many as the list holds, which is
// never fewer than "再び表示" takes) and its open ones among them. The URL cache's scan is
// cheap and has its own rules (a set of distinct seconds, repeats kept): it gives the list its
// latest entries not open and its open ones, and "再び表示" its own set.
#pragma once
#include "MergedSelection.h"
#include <vector>

struct ListedPage {
    PageCandidate page;
    bool preChecked = false;  // "再び表示" would open it now
    std::wstring iconFile;    // its profile's site icons; empty for the URL cache
};

class PageListing {
public:
    // `openCount`: how many "再び表示" opens; `listCount`: how many rows, not fewer.
    PageListing(size_t openCount, size_t listCount) : m_rows(listCount, true), m_toOpen(openCount) {}

    // `listed`: the latest entries that are not open; `latest`: the latest entries, whose open
    // ones (their addresses in `open`) are listed too, marked; `toOpen`: the set that
    // "再び表示" takes.
    void AddUrlCache(const RecentSet& listed, const RecentSet& latest, const std::set<std::string>& open,
                     const RecentSet& toOpen);
    // A profile's latest visits, open ones marked (LatestVisits::Mark); without a `program`
    // they are listed, never checked.
    void AddVisits(const BrowserDescriptor* browser, const std::string& profile, const std::vector<BrowserVisit>& visits,
                   const std::wstring& program, const std::wstring& profileName,
                   LaunchCommand::Browser launch = LaunchCommand::Browser::Chromium);

    std::vector<ListedPage> Rows() const;

private:
    MergedSelection m_rows;
    MergedSelection m_toOpen;
};

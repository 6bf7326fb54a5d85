// The pages that the reopen command opens when several histories count: the URL cache's
// chosen entries exactly as its own set chose them, and the latest visits of each browser
// profile. An address that two sources both hold opens once, from the source that saw it last
// (the URL cache first on a tie). Pages of the browsers seen within the same second, or even
// the same microsecond, all count. The latest `capacity` are kept and handed out oldest first;
// with the URL cache alone that is the set's own result, entry for entry.
#pragma once
#include "PageCandidate.h"
#include "../history/BrowserVisit.h"
#include "../history/RecentSet.h"
#include <vector>

class MergedSelection {
public:
    explicit MergedSelection(size_t capacity) : m_capacity(capacity) {}

    void AddUrlCache(const RecentSet& recent);
    void AddVisits(const BrowserDescriptor* browser, const std::string& profile, const std::vector<BrowserVisit>& visits,
                   const std::wstring& program = {});

    std::vector<PageCandidate> OldestFirst() const;

private:
    size_t m_capacity;
    std::vector<PageCandidate> m_candidates;  // in the order added
};

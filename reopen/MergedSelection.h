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
#include <set>
#include <string>
#include <vector>

class MergedSelection {
public:
    // `keepsOpen`: pages marked open now are kept (for a list that shows them); otherwise they
    // are passed over like pages never offered.
    explicit MergedSelection(size_t capacity, bool keepsOpen = false) : m_capacity(capacity), m_keepsOpen(keepsOpen) {}

    // The set's entries; those whose address is in `open` are marked open now.
    void AddUrlCache(const RecentSet& recent, const std::set<std::string>* open = nullptr);
    void AddVisits(const BrowserDescriptor* browser, const std::string& profile, const std::vector<BrowserVisit>& visits,
                   const std::wstring& program = {}, const std::wstring& profileName = {},
                   LaunchCommand::Browser launch = LaunchCommand::Browser::Chromium);

    // The pages to open: the latest `capacity`, oldest first.
    std::vector<PageCandidate> OldestFirst() const;
    // The pages to list: each address once (the URL cache's repeats too), the latest
    // `capacity` that are not open and the open ones among them, newest first. An address open now in one source and not in another is
    // listed from the one where it is not open, as it would be opened.
    std::vector<PageCandidate> NewestFirst() const;

private:
    // Indexes of the kept candidates, newest first.
    std::vector<size_t> Kept(bool repeatsOfTheCache) const;

    size_t m_capacity;
    bool m_keepsOpen;
    std::vector<PageCandidate> m_candidates;  // in the order added
};

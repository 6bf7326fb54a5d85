// The steps of the reopen command: scan the history, survey the open windows, open the URLs.
#pragma once
#include "EntrySet.h"
#include "HistoryStore.h"
#include "OpenWindowSource.h"
#include "PageCandidate.h"
#include "RecentSet.h"
#include <vector>

class CHistoryReopener {
public:
    // Offers every history entry that passes the filters, with its visit time, to recent.
    void ScanHistory(RecentSet& recent, unsigned flags, HistoryStore& store, OpenWindowSource& windows);
    void CollectOpenUrls(EntrySet& urls, OpenWindowSource& windows);

    // Opens each entry in a browser window of its own, oldest visit first: one browser
    // object at a time, created, given up to 2000 ms to get ready, sent the URL, let go.
    template <typename Browser>
    void OpenEach(const RecentSet& recent)
    {
        for (const HistoryEntry& entry : recent.m_entries)
            OpenOne<Browser>(entry.m_url.c_str());
    }

    // One page in a browser window of its own: created, given up to 2000 ms to get ready,
    // sent the URL, let go.
    template <typename Browser>
    static void OpenOne(const char* url)
    {
        Browser browser;
        if (browser.CreateBrowser()) {
            browser.WaitUntilReady(kReadyTimeoutMs);
            browser.Navigate(url, 0, nullptr, nullptr, nullptr, 0);
        }
    }

#ifdef _WIN32
    // The same over the real URL cache, account, shell windows and browser.
    void ScanHistory(RecentSet& recent, unsigned flags);
    void CollectOpenUrls(EntrySet& urls);
    void OpenAll(RecentSet& recent);
    // Opens the pages oldest first: those of the URL cache each in a new automated browser
    // window (as OpenAll does), those of today's browsers each in a new window of theirs.
    void OpenPages(const std::vector<PageCandidate>& pages);
#endif

    static constexpr int kReadyTimeoutMs = 2000;

    // The first buffer: 65,536 bytes, of which 65,535 are handed to the store.
    static constexpr uint32_t kEntryBufferSize = 65536;
    // A record claiming more than this ends the scan like the end of the store.
    static constexpr uint32_t kLargestRecord = 64u << 20;
    // A record that still does not fit after this many reads (the store asking for more each
    // time) ends the scan like a failed read.
    static constexpr int kMostReadsOfOneRecord = 4;
};

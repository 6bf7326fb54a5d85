// The steps of the reopen command: scan the history, survey the open windows, open the URLs.
#pragma once
#include "EntrySet.h"
#include "HistoryStore.h"
#include "OpenWindowSource.h"
#include "RecentSet.h"

class CHistoryReopener {
public:
    // Offers every history entry that passes the filters, with its visit time, to recent.
    void ScanHistory(RecentSet& recent, unsigned flags, HistoryStore& store, OpenWindowSource& windows);
    void CollectOpenUrls(EntrySet& urls, OpenWindowSource& windows);

#ifdef _WIN32
    // The same over the real URL cache, account and shell windows.
    void ScanHistory(RecentSet& recent, unsigned flags);
    void CollectOpenUrls(EntrySet& urls);
#endif

    // The first buffer: 65,536 bytes, of which 65,535 are handed to the store.
    static constexpr uint32_t kEntryBufferSize = 65536;
    // A record claiming more than this ends the scan like the end of the store.
    static constexpr uint32_t kLargestRecord = 64u << 20;
};

// The scan of the URL cache: every history record that passes the filters is offered, with
// its visit time, to the set of the latest. A record of another user, a name without
// "http://" (with the http filter), an address open now (with the open filter), or an address
// that runs a script or carries its own content is passed over.
#pragma once
#include "EntrySet.h"
#include "HistoryStore.h"
#include "RecentSet.h"
#include <cstdint>
#include <functional>

class UrlCacheScan {
public:
    // `openAddresses` adds the addresses open now; it is asked only with SCAN_SKIP_OPEN, and
    // those addresses are passed over.
    using OpenAddresses = std::function<void(EntrySet&)>;
    static void Scan(RecentSet& recent, unsigned flags, HistoryStore& store, const OpenAddresses& openAddresses);
#ifdef _WIN32
    // The same over the real URL cache and account, the open windows surveyed first when
    // SCAN_SKIP_OPEN asks for them.
    static void Scan(RecentSet& recent, unsigned flags);
#endif

    // The first buffer: 65,536 bytes, of which 65,535 are handed to the store.
    static constexpr uint32_t kEntryBufferSize = 65536;
    // A record claiming more than this ends the scan like the end of the store.
    static constexpr uint32_t kLargestRecord = 64u << 20;
    // A record that still does not fit after this many reads (the store asking for more each
    // time) ends the scan like a failed read.
    static constexpr int kMostReadsOfOneRecord = 4;
};

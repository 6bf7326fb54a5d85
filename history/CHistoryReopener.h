// The steps of the reopen command that the URL cache takes: the scan of its history records,
// the survey of the open windows, and the opening of its pages, each in a new automated
// browser window. A record of another user, a name without "http://" (with the http filter),
// an address open now (with the open filter), or an address that runs a script or carries its
// own content is passed over by the scan.
#pragma once
#include "EntrySet.h"
#include "HistoryStore.h"
#include "RecentSet.h"
#include <cstdint>
#include <functional>
#include <string_view>

class CHistoryReopener {
public:
    // Offers every history entry that passes the filters, with its visit time, to `recent`.
    // `collectOpenUrls` adds the addresses open now; it is asked only with SCAN_SKIP_OPEN, and
    // those addresses are passed over.
    using OpenUrlSurvey = std::function<void(EntrySet&)>;
    // A further filter: whether the entry's address (after the other filters) and time
    // (seconds since 1970) are asked for.
    using Accept = std::function<bool(std::string_view address, int32_t time)>;
    static void ScanHistory(RecentSet& recent, unsigned flags, HistoryStore& store, const OpenUrlSurvey& collectOpenUrls,
                            const Accept& accept = {});

    // Opens each entry in a browser window of its own, oldest visit first.
    template <typename Window>
    static void OpenAll(const RecentSet& recent)
    {
        for (const HistoryEntry& entry : recent.m_entries)
            OpenOne<Window>(entry.m_url.c_str());
    }
    // One page in a browser window of its own: created, given up to kReadyTimeoutMs to get
    // ready, sent the URL, let go. False when the window could not be created.
    template <typename Window>
    static bool OpenOne(const char* url)
    {
        Window window;
        if (!window.CreateBrowser())
            return false;
        window.WaitUntilReady(kReadyTimeoutMs);
        window.Navigate(url, 0, nullptr, nullptr, nullptr, 0);
        return true;
    }

#ifdef _WIN32
    // The same over the real URL cache and account, with the open windows of the shell.
    static void ScanHistory(RecentSet& recent, unsigned flags);
    static void CollectOpenUrls(EntrySet& urls);
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

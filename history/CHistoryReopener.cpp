#include "CHistoryReopener.h"
#include "ScanFlags.h"
#include "VisitTime.h"
#include "../text/UrlText.h"
#include <cstring>
#include <string>
#include <vector>

namespace {

// The enumeration of the store with one buffer that grows when a record does not fit.
class RecordReader {
public:
    explicit RecordReader(HistoryStore& store) : m_store(store), m_buffer(CHistoryReopener::kEntryBufferSize) {}

    bool First(CacheRecord* record)
    {
        // Windows accepts the pattern in any case; Wine only in its container's own spelling.
        if (Read([&](uint32_t* size) { return m_store.FindFirst("visited:", m_buffer.data(), size, record); }))
            return true;
        if (m_last != StoreStatus::NoMoreItems)
            return false;
        return Read([&](uint32_t* size) { return m_store.FindFirst("Visited:", m_buffer.data(), size, record); });
    }

    bool Next(CacheRecord* record)
    {
        return Read([&](uint32_t* size) { return m_store.FindNext(m_buffer.data(), size, record); });
    }

private:
    template <typename Call>
    bool Read(Call call)
    {
        for (int reads = 1;; ++reads) {
            uint32_t size = static_cast<uint32_t>(m_buffer.size() - 1);
            m_last = call(&size);
            if (m_last == StoreStatus::Ok)
                return true;
            if (reads == CHistoryReopener::kMostReadsOfOneRecord)
                return false;
            // The same record again with a buffer of the size it asked for.
            if (m_last != StoreStatus::InsufficientBuffer || size < m_buffer.size() ||
                size > CHistoryReopener::kLargestRecord)
                return false;
            m_buffer.assign(static_cast<size_t>(size) + 1, 0);
        }
    }

    HistoryStore& m_store;
    std::vector<char> m_buffer;
    StoreStatus m_last = StoreStatus::Failed;
};

}

void CHistoryReopener::ScanHistory(RecentSet& recent, unsigned flags, HistoryStore& store,
                                   const OpenUrlSurvey& collectOpenUrls, const Accept& accept)
{
    EntrySet openUrls;
    if ((flags & SCAN_SKIP_OPEN) && collectOpenUrls)
        collectOpenUrls(openUrls);

    std::string userPattern;
    if (flags & SCAN_ONLY_MINE) {
        char name[256];
        uint32_t size = sizeof(name);
        if (store.UserName(name, &size) && memchr(name, '\0', sizeof(name)))
            userPattern = std::string(name) + "@";
        else
            flags &= ~SCAN_ONLY_MINE;
    }

    RecordReader reader(store);
    CacheRecord record;
    for (bool more = reader.First(&record); more; more = reader.Next(&record)) {
        // The filters look at the record's own bytes; only a survivor becomes a string.
        if (!(record.entryType & kNormalCacheEntry) || !record.sourceUrlName)
            continue;
        // A record whose time the set would refuse anyway cannot change the result, whatever
        // the filters say of it: it is dropped before any search, lookup or copy. Once the set
        // is full, that is nearly every record of a store that is not read in time order.
        int32_t time = VisitTime::FromFileTime(record.lastAccessTime);
        if (!recent.MayAccept(time))
            continue;
        const char* name = record.sourceUrlName;
        if ((flags & SCAN_ONLY_MINE) && !strstr(name, userPattern.c_str()))
            continue;
        if (flags & SCAN_HTTP_ONLY) {
            name = strstr(name, "http://");
            if (!name)
                continue;
        }
        // Never opened from any source: an address that runs a script or carries its own content.
        const std::string_view address = UrlText::AddressOfHistoryName(name);
        if (UrlText::IsScript(address) || (accept && !accept(address, time)))
            continue;
        HistoryEntry entry(name, 0, false);
        if ((flags & SCAN_SKIP_OPEN) && openUrls.count(entry))
            continue;
        entry.m_time = time;
        entry.m_hasTime = true;
        recent.Add(entry);
    }
    store.Close();
}

#ifdef _WIN32
#include "CUrlCacheStore.h"
#include "CollectOpenBrowserUrls.h"

void CHistoryReopener::ScanHistory(RecentSet& recent, unsigned flags)
{
    CUrlCacheStore store;
    ScanHistory(recent, flags, store, CollectOpenUrls);
}

void CHistoryReopener::CollectOpenUrls(EntrySet& urls) { CollectOpenBrowserUrls(urls); }
#endif

// A history store in memory that answers like the platform's URL cache: records written into
// the caller's buffer behind a header, the needed size when they do not fit, and the pattern
// matched case-sensitively against "Visited:" as Wine does.
#pragma once
#include "history/CHistoryReopener.h"
#include "history/HistoryStore.h"
#include <string>
#include <vector>

struct FakeRecord {
    std::string name;
    uint64_t fileTime;
    uint32_t type = 0x1 | 0x00200000;  // NORMAL | URLHISTORY
    bool fails = false;                // the store fails on this record
};

// FILETIME of a time given in seconds since 1970.
inline uint64_t FileTimeOf(int64_t unixSeconds) { return (static_cast<uint64_t>(unixSeconds) + 11644473600ULL) * 10000000ULL; }

class FakeHistoryStore : public HistoryStore {
public:
    static constexpr uint32_t kHeader = 80;

    std::vector<FakeRecord> records;
    std::string user = "alice";
    bool userFails = false;
    bool anyCasePattern = false;  // Windows; Wine only knows "Visited:"
    std::vector<uint32_t> sizesHandedIn;
    std::vector<std::string> patterns;
    int closes = 0;

    bool UserName(char* buffer, uint32_t* size) override
    {
        if (userFails || user.size() + 1 > *size)
            return false;
        user.copy(buffer, user.size());
        buffer[user.size()] = '\0';
        *size = static_cast<uint32_t>(user.size() + 1);
        return true;
    }

    StoreStatus FindFirst(const char* pattern, void* buffer, uint32_t* size, CacheRecord* record) override
    {
        patterns.push_back(pattern);
        bool matches = anyCasePattern ? (std::string(pattern) == "visited:" || std::string(pattern) == "Visited:")
                                      : std::string(pattern) == "Visited:";
        if (!matches)
            return StoreStatus::NoMoreItems;
        m_next = 0;
        return Deliver(buffer, size, record);
    }

    StoreStatus FindNext(void* buffer, uint32_t* size, CacheRecord* record) override
    {
        return Deliver(buffer, size, record);
    }

    void Close() override { ++closes; }

private:
    StoreStatus Deliver(void* buffer, uint32_t* size, CacheRecord* record)
    {
        sizesHandedIn.push_back(*size);
        if (m_next >= records.size())
            return StoreStatus::NoMoreItems;
        const FakeRecord& r = records[m_next];
        if (r.fails)
            return StoreStatus::Failed;
        uint32_t needed = kHeader + static_cast<uint32_t>(r.name.size()) + 1;
        if (*size < needed) {
            *size = needed;
            return StoreStatus::InsufficientBuffer;
        }
        char* name = static_cast<char*>(buffer) + kHeader;
        r.name.copy(name, r.name.size());
        name[r.name.size()] = '\0';
        record->entryType = r.type;
        record->sourceUrlName = name;
        record->lastAccessTime = r.fileTime;
        ++m_next;
        return StoreStatus::Ok;
    }

    size_t m_next = 0;
};

// The open windows, for the scan: their addresses, and how often they were asked for.
class FakeOpenWindows {
public:
    std::vector<std::string> addresses;
    int calls = 0;

    CHistoryReopener::OpenUrlSurvey Survey()
    {
        return [this](EntrySet& urls) {
            ++calls;
            for (const std::string& a : addresses)
                urls.insert(HistoryEntry(a, 0, false));
        };
    }
};

// What the scan needs of the history store and the account, in the form the platform offers
// it: an enumeration that writes each record into the caller's buffer (or says how large a
// buffer the record needs), and the user name.
#pragma once
#include <cstdint>

// NORMAL_CACHE_ENTRY: the bit of a record's entry type that marks an ordinary entry.
constexpr uint32_t kNormalCacheEntry = 0x1;

struct CacheRecord {
    uint32_t entryType = 0;              // kNormalCacheEntry and others
    const char* sourceUrlName = nullptr; // inside the caller's buffer
    uint64_t lastAccessTime = 0;         // FILETIME: 100 ns units since 1601-01-01 UTC
};

enum class StoreStatus {
    Ok,
    NoMoreItems,         // no (further) record
    InsufficientBuffer,  // *size now holds the size the record needs
    Failed,
};

class HistoryStore {
public:
    virtual ~HistoryStore() = default;

    // GetUserNameA: the name into buffer, *size its capacity; false on any failure.
    virtual bool UserName(char* buffer, uint32_t* size) = 0;
    virtual StoreStatus FindFirst(const char* pattern, void* buffer, uint32_t* size, CacheRecord* record) = 0;
    virtual StoreStatus FindNext(void* buffer, uint32_t* size, CacheRecord* record) = 0;
    // Ends the enumeration that FindFirst began, if any.
    virtual void Close() = 0;
};

#include "CUrlCacheStore.h"
#include <wininet.h>

namespace {
StoreStatus Status(BOOL ok, const INTERNET_CACHE_ENTRY_INFOA* info, CacheRecord* record)
{
    if (!ok) {
        switch (GetLastError()) {
        case ERROR_NO_MORE_ITEMS: return StoreStatus::NoMoreItems;
        case ERROR_INSUFFICIENT_BUFFER: return StoreStatus::InsufficientBuffer;
        default: return StoreStatus::Failed;
        }
    }
    record->entryType = info->CacheEntryType;
    record->sourceUrlName = info->lpszSourceUrlName;
    record->lastAccessTime =
        (static_cast<uint64_t>(info->LastAccessTime.dwHighDateTime) << 32) | info->LastAccessTime.dwLowDateTime;
    return StoreStatus::Ok;
}
}

CUrlCacheStore::~CUrlCacheStore() { Close(); }

bool CUrlCacheStore::UserName(char* buffer, uint32_t* size)
{
    DWORD n = *size;
    BOOL ok = GetUserNameA(buffer, &n);
    *size = n;
    return ok != FALSE;
}

StoreStatus CUrlCacheStore::FindFirst(const char* pattern, void* buffer, uint32_t* size, CacheRecord* record)
{
    Close();
    auto* info = static_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer);
    DWORD n = *size;
    m_hFind = FindFirstUrlCacheEntryA(pattern, info, &n);
    StoreStatus status = Status(m_hFind != nullptr, info, record);
    *size = n;
    return status;
}

StoreStatus CUrlCacheStore::FindNext(void* buffer, uint32_t* size, CacheRecord* record)
{
    if (!m_hFind)
        return StoreStatus::Failed;
    auto* info = static_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer);
    DWORD n = *size;
    BOOL ok = FindNextUrlCacheEntryA(m_hFind, info, &n);
    StoreStatus status = Status(ok, info, record);
    *size = n;
    return status;
}

void CUrlCacheStore::Close()
{
    if (m_hFind)
        FindCloseUrlCache(m_hFind);
    m_hFind = nullptr;
}

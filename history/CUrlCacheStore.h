// The history store of the platform: WinINet's URL cache and the account's user name.
#pragma once
#include "HistoryStore.h"
#include <windows.h>

class CUrlCacheStore : public HistoryStore {
public:
    ~CUrlCacheStore() override;

    bool UserName(char* buffer, uint32_t* size) override;
    StoreStatus FindFirst(const char* pattern, void* buffer, uint32_t* size, CacheRecord* record) override;
    StoreStatus FindNext(void* buffer, uint32_t* size, CacheRecord* record) override;
    void Close() override;

private:
    HANDLE m_hFind = nullptr;
};

// A named mutex shared with other processes; closed with the object.
#pragma once
#include <windows.h>

class CMutex {
public:
    CMutex(BOOL bInitiallyOwn, LPCWSTR lpszName);
    ~CMutex();
    CMutex(const CMutex&) = delete;
    CMutex& operator=(const CMutex&) = delete;

    // True when obtained, also when a previous owner ended without releasing it.
    BOOL Lock(DWORD dwTimeout);
    BOOL Unlock();

    HANDLE m_hObject;

private:
    bool m_bLocked = false;
};

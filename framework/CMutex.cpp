#include "CMutex.h"

CMutex::CMutex(BOOL bInitiallyOwn, LPCWSTR lpszName)
    : m_hObject(CreateMutexW(nullptr, bInitiallyOwn, lpszName))
{
}

CMutex::~CMutex()
{
    if (m_hObject)
        CloseHandle(m_hObject);
}

BOOL CMutex::Lock(DWORD dwTimeout)
{
    if (!m_hObject)
        return FALSE;
    DWORD r = WaitForSingleObject(m_hObject, dwTimeout);
    m_bLocked = r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
    return m_bLocked;
}

BOOL CMutex::Unlock()
{
    if (!m_bLocked)
        return FALSE;
    m_bLocked = false;
    return ReleaseMutex(m_hObject);
}

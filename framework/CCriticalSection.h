// A lock between the threads of this process (a critical section), and its holder for a scope.
#pragma once
#include <windows.h>

class CCriticalSection {
public:
    CCriticalSection() { InitializeCriticalSection(&m_sect); }
    ~CCriticalSection() { DeleteCriticalSection(&m_sect); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    void Lock() { EnterCriticalSection(&m_sect); }
    void Unlock() { LeaveCriticalSection(&m_sect); }

    // Holds the lock while it lives.
    class Holder {
    public:
        explicit Holder(CCriticalSection& section) : m_section(section) { m_section.Lock(); }
        ~Holder() { m_section.Unlock(); }
        Holder(const Holder&) = delete;
        Holder& operator=(const Holder&) = delete;

    private:
        CCriticalSection& m_section;
    };

private:
    CRITICAL_SECTION m_sect;
};

#include "CBackgroundTask.h"
#include <objbase.h>

CBackgroundTask::~CBackgroundTask() { Stop(); }

void CBackgroundTask::Start(HWND notify, UINT doneMessage, std::function<void(const std::atomic<bool>& stop)> work)
{
    Stop();
    m_stop = false;
    m_ended = false;
    m_thread = std::thread([this, notify, doneMessage, work = std::move(work)] {
        HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        try {
            work(m_stop);
        } catch (...) {
            // The work's own failure is its result: nothing leaves the thread.
        }
        if (SUCCEEDED(com))
            CoUninitialize();
        m_ended = true;
        PostMessageW(notify, doneMessage, 0, 0);
    });
}

void CBackgroundTask::Stop()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

// Work that runs on a thread of its own while a window stays responsive: COM is ready on that
// thread, the work may be asked to stop (it looks at the flag it is given), and the window is
// told by a posted message when the work has ended. Going away, the object asks the work to
// stop and waits for it, so that nothing the work uses goes before it.
#pragma once
#include <windows.h>
#include <atomic>
#include <functional>
#include <thread>

class CBackgroundTask {
public:
    CBackgroundTask() = default;
    ~CBackgroundTask();
    CBackgroundTask(const CBackgroundTask&) = delete;
    CBackgroundTask& operator=(const CBackgroundTask&) = delete;

    // Runs `work` on a new thread, then posts `doneMessage` to `notify` (a window gone by then
    // is no harm). Waits for any earlier work first.
    void Start(HWND notify, UINT doneMessage, std::function<void(const std::atomic<bool>& stop)> work);
    // Asks the work to stop and waits until it has.
    void Stop();
    // Asks the work to stop, without waiting.
    void AskToStop() { m_stop = true; }
    // Whether the work has ended (its message is posted, or about to be).
    bool Ended() const { return m_ended; }

private:
    std::thread m_thread;
    std::atomic<bool> m_stop{ false };
    std::atomic<bool> m_ended{ true };
};

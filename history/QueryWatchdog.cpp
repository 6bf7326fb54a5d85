#include "QueryWatchdog.h"
#include <sqlite3.h>

QueryWatchdog::QueryWatchdog(sqlite3* db, Clock::time_point deadline) : m_db(db), m_deadline(deadline)
{
    m_thread = std::thread([this] {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_done.wait_until(lock, m_deadline, [this] { return m_stop; })) {
            m_fired = true;
            sqlite3_interrupt(m_db);
        }
    });
}

QueryWatchdog::~QueryWatchdog()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_done.notify_one();
    m_thread.join();
}

bool QueryWatchdog::Fired() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_fired;
}

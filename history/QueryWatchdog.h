// Ends a reading that runs past its deadline: a thread of its own waits until then and
// interrupts the connection (sqlite3_interrupt, which SQLite allows from another thread), so
// that a hostile file cannot keep the command busy, whatever it makes SQLite do.
#pragma once
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

struct sqlite3;

class QueryWatchdog {
public:
    using Clock = std::chrono::steady_clock;
    QueryWatchdog(sqlite3* db, Clock::time_point deadline);
    // Stops watching; the connection may be closed after this.
    ~QueryWatchdog();
    QueryWatchdog(const QueryWatchdog&) = delete;
    QueryWatchdog& operator=(const QueryWatchdog&) = delete;

    bool Fired() const;

private:
    sqlite3* m_db;
    Clock::time_point m_deadline;
    mutable std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_stop = false;
    bool m_fired = false;
    std::thread m_thread;
};

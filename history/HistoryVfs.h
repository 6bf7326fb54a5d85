// The only way SQLite reaches a history file: a VFS of our own, one per opened database, that
// lets SQLite open exactly that database and its own side files ("-journal", "-wal") and
// nothing else. A hostile file cannot make it look up, read, create or delete any other path
// (a rollback journal may name a "super-journal" anywhere, a \\host\share name included), and
// no temporary file of SQLite's is made.
//  - In place (a browser's own files): each file is read through SharedReadFile, sharing
//    everything with the browser; every write, truncate, sync and delete fails, no lock is
//    taken, there are no shared-memory methods (so no "-shm" is made or mapped: a WAL database
//    is read in exclusive locking mode, its index in heap memory), and a missing "-wal" reads
//    as an empty one.
//  - A private copy: the platform's own VFS does the work, behind the same path rule.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct sqlite3_vfs;

class HistoryVfs {
public:
    enum class Mode { InPlace, PrivateCopy };
    HistoryVfs(const std::string& utf8Database, Mode mode);
    ~HistoryVfs();
    HistoryVfs(const HistoryVfs&) = delete;
    HistoryVfs& operator=(const HistoryVfs&) = delete;

    // The name to open the database with (sqlite3_open_v2's zVfs).
    const char* Name() const { return m_name.c_str(); }
    Mode GetMode() const { return m_mode; }
    // The platform's VFS, which ours passes the clock and the random numbers on to.
    sqlite3_vfs* Base() const { return m_base; }
    // Every path SQLite asked for that the rule refused ("" for a temporary file).
    const std::vector<std::string>& Refused() const { return m_refused; }

    // Bytes read from browsers' files in place since the program started: of the databases
    // and their journals, and of their write-ahead logs (which SQLite reads whole to index).
    static uint64_t BytesReadInPlace();
    static uint64_t WalBytesReadInPlace();

private:
    enum class Side { None, Database, Journal, Wal };
    Side SideOf(const char* path) const;
    void Refuse(const char* path) { m_refused.push_back(path ? path : ""); }

    static int Open(sqlite3_vfs* vfs, const char* name, struct sqlite3_file* file, int flags, int* outFlags);
    static int Delete(sqlite3_vfs* vfs, const char* name, int syncDir);
    static int Access(sqlite3_vfs* vfs, const char* name, int flags, int* result);
    static int FullPathname(sqlite3_vfs* vfs, const char* name, int size, char* out);

    std::string m_database;
    Mode m_mode;
    std::string m_name;
    sqlite3_vfs* m_vfs = nullptr;  // ours, registered while this lives
    sqlite3_vfs* m_base = nullptr; // the platform's
    std::vector<std::string> m_refused;
};

#include "HistoryVfs.h"
#include "SharedReadFile.h"
#include <sqlite3.h>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>

namespace {
std::atomic<uint64_t> g_bytesReadInPlace{ 0 }, g_walBytesReadInPlace{ 0 };

// A browser's file read in place; `file` is null for a missing "-wal", which reads as empty.
struct InPlaceFile {
    sqlite3_file base;
    SharedReadFile* file;
    bool wal;
};

SharedReadFile* FileOf(sqlite3_file* f) { return reinterpret_cast<InPlaceFile*>(f)->file; }

int Close(sqlite3_file* f)
{
    delete FileOf(f);
    reinterpret_cast<InPlaceFile*>(f)->file = nullptr;
    return SQLITE_OK;
}

int Read(sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset)
{
    SharedReadFile* file = FileOf(f);
    int64_t got = file ? file->ReadAt(offset, buffer, static_cast<size_t>(amount)) : 0;
    if (got < 0)
        return SQLITE_IOERR_READ;
    (reinterpret_cast<InPlaceFile*>(f)->wal ? g_walBytesReadInPlace : g_bytesReadInPlace) += static_cast<uint64_t>(got);
    if (got < amount) {
        // SQLite wants the rest zeroed on a short read.
        std::memset(static_cast<char*>(buffer) + got, 0, static_cast<size_t>(amount - got));
        return SQLITE_IOERR_SHORT_READ;
    }
    return SQLITE_OK;
}

int Write(sqlite3_file*, const void*, int, sqlite3_int64) { return SQLITE_IOERR_WRITE; }
int Truncate(sqlite3_file*, sqlite3_int64) { return SQLITE_IOERR_TRUNCATE; }
int Sync(sqlite3_file*, int) { return SQLITE_IOERR_FSYNC; }

int FileSize(sqlite3_file* f, sqlite3_int64* size)
{
    SharedReadFile* file = FileOf(f);
    int64_t n = file ? file->Size() : 0;
    if (n < 0)
        return SQLITE_IOERR_FSTAT;
    *size = n;
    return SQLITE_OK;
}

// No locks: the browser's own locks are its business, and ours would get in its way.
int Lock(sqlite3_file*, int) { return SQLITE_OK; }
int Unlock(sqlite3_file*, int) { return SQLITE_OK; }
int CheckReservedLock(sqlite3_file*, int* result)
{
    *result = 0;
    return SQLITE_OK;
}
int FileControl(sqlite3_file*, int, void*) { return SQLITE_NOTFOUND; }
int SectorSize(sqlite3_file*) { return 4096; }
int DeviceCharacteristics(sqlite3_file*) { return 0; }

// Version 1: no shared memory, no memory mapping.
const sqlite3_io_methods kInPlaceMethods = {
    1, Close, Read, Write, Truncate, Sync, FileSize, Lock, Unlock, CheckReservedLock, FileControl, SectorSize,
    DeviceCharacteristics, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
};

HistoryVfs* OwnerOf(sqlite3_vfs* vfs) { return static_cast<HistoryVfs*>(vfs->pAppData); }
sqlite3_vfs* BaseOf(sqlite3_vfs* vfs) { return OwnerOf(vfs)->Base(); }

int Randomness(sqlite3_vfs* vfs, int n, char* out)
{
    sqlite3_vfs* base = BaseOf(vfs);
    return base->xRandomness(base, n, out);
}
int SleepFor(sqlite3_vfs* vfs, int micros)
{
    sqlite3_vfs* base = BaseOf(vfs);
    return base->xSleep(base, micros);
}
int CurrentTime(sqlite3_vfs* vfs, double* now)
{
    sqlite3_vfs* base = BaseOf(vfs);
    return base->xCurrentTime(base, now);
}
int CurrentTimeInt64(sqlite3_vfs* vfs, sqlite3_int64* now)
{
    sqlite3_vfs* base = BaseOf(vfs);
    return base->iVersion >= 2 && base->xCurrentTimeInt64 ? base->xCurrentTimeInt64(base, now) : SQLITE_ERROR;
}
int GetLastError(sqlite3_vfs* vfs, int n, char* out)
{
    sqlite3_vfs* base = BaseOf(vfs);
    return base->xGetLastError ? base->xGetLastError(base, n, out) : 0;
}
}

uint64_t HistoryVfs::BytesReadInPlace() { return g_bytesReadInPlace; }
uint64_t HistoryVfs::WalBytesReadInPlace() { return g_walBytesReadInPlace; }

HistoryVfs::HistoryVfs(const std::string& utf8Database, Mode mode) : m_database(utf8Database), m_mode(mode)
{
    static std::atomic<unsigned> counter{ 0 };
    m_name = "bt-history-" + std::to_string(++counter);
    if (sqlite3_initialize() != SQLITE_OK)
        return;
    m_base = sqlite3_vfs_find(nullptr);
    if (!m_base)
        return;
    m_vfs = new sqlite3_vfs();
    m_vfs->iVersion = 2;
    m_vfs->szOsFile = std::max(static_cast<int>(sizeof(InPlaceFile)), m_base->szOsFile);
    m_vfs->mxPathname = std::max(m_base->mxPathname, 1024);
    m_vfs->zName = m_name.c_str();
    m_vfs->pAppData = this;
    m_vfs->xOpen = Open;
    m_vfs->xDelete = Delete;
    m_vfs->xAccess = Access;
    m_vfs->xFullPathname = FullPathname;
    m_vfs->xRandomness = Randomness;
    m_vfs->xSleep = SleepFor;
    m_vfs->xCurrentTime = CurrentTime;
    m_vfs->xGetLastError = GetLastError;
    m_vfs->xCurrentTimeInt64 = CurrentTimeInt64;
    if (sqlite3_vfs_register(m_vfs, 0) != SQLITE_OK) {
        delete m_vfs;
        m_vfs = nullptr;
    }
}

HistoryVfs::~HistoryVfs()
{
    if (m_vfs) {
        sqlite3_vfs_unregister(m_vfs);
        delete m_vfs;
    }
}

HistoryVfs::Side HistoryVfs::SideOf(const char* path) const
{
    if (!path)
        return Side::None;
    const std::string name = path;
    if (name == m_database)
        return Side::Database;
    if (name == m_database + "-journal")
        return Side::Journal;
    if (name == m_database + "-wal")
        return Side::Wal;
    return Side::None;
}

int HistoryVfs::Open(sqlite3_vfs* vfs, const char* name, sqlite3_file* file, int flags, int* outFlags)
{
    HistoryVfs* self = OwnerOf(vfs);
    file->pMethods = nullptr;
    const Side side = self->SideOf(name);
    const bool fits = (side == Side::Database && (flags & SQLITE_OPEN_MAIN_DB)) ||
                      (side == Side::Journal && (flags & SQLITE_OPEN_MAIN_JOURNAL)) ||
                      (side == Side::Wal && (flags & SQLITE_OPEN_WAL));
    if (!fits) {
        self->Refuse(name);
        return SQLITE_CANTOPEN;
    }
    if (self->m_mode == Mode::PrivateCopy)
        return self->m_base->xOpen(self->m_base, name, file, flags, outFlags);

    std::unique_ptr<SharedReadFile> opened = SharedReadFile::Open(name);
    if (!opened && side != Side::Wal)
        return SQLITE_CANTOPEN;
    InPlaceFile* f = reinterpret_cast<InPlaceFile*>(file);
    f->file = opened.release();
    f->wal = side == Side::Wal;
    f->base.pMethods = &kInPlaceMethods;
    if (outFlags)
        *outFlags = (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) | SQLITE_OPEN_READONLY;
    return SQLITE_OK;
}

int HistoryVfs::Delete(sqlite3_vfs* vfs, const char* name, int syncDir)
{
    HistoryVfs* self = OwnerOf(vfs);
    const Side side = self->SideOf(name);
    if (self->m_mode == Mode::PrivateCopy && (side == Side::Journal || side == Side::Wal))
        return self->m_base->xDelete(self->m_base, name, syncDir);
    if (side == Side::None)
        self->Refuse(name);
    return SQLITE_IOERR_DELETE;
}

int HistoryVfs::Access(sqlite3_vfs* vfs, const char* name, int flags, int* result)
{
    HistoryVfs* self = OwnerOf(vfs);
    *result = 0;
    if (self->SideOf(name) == Side::None) {
        self->Refuse(name);
        return SQLITE_OK;
    }
    if (self->m_mode == Mode::PrivateCopy)
        return self->m_base->xAccess(self->m_base, name, flags, result);
    *result = flags == SQLITE_ACCESS_READWRITE ? 0 : SharedReadFile::Exists(name);
    return SQLITE_OK;
}

// The database's name stays as it was given: the side files' names are made from it, and the
// rule compares them letter by letter. Any other name is refused.
int HistoryVfs::FullPathname(sqlite3_vfs* vfs, const char* name, int size, char* out)
{
    HistoryVfs* self = OwnerOf(vfs);
    if (self->SideOf(name) == Side::None || std::strlen(name) >= static_cast<size_t>(size)) {
        self->Refuse(name);
        return SQLITE_CANTOPEN;
    }
    std::memcpy(out, name, std::strlen(name) + 1);
    return SQLITE_OK;
}

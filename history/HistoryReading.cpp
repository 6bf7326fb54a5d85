#include "HistoryReading.h"
#include "HistoryFileState.h"
#include "SharedReadFile.h"
#include <sqlite3.h>

namespace {
// Failures that another moment, or a copy, may not have: the browser was writing.
bool CopyMayHelp(int error)
{
    return error == SQLITE_BUSY || error == SQLITE_LOCKED || error == SQLITE_CORRUPT || error == SQLITE_NOTADB ||
           error == SQLITE_READONLY || error == SQLITE_IOERR || error == SQLITE_PROTOCOL;
}

// A file that is not read at all, in place or copied: a journal naming another file, or a
// log too large to index.
bool Refused(const HistoryFileState& state)
{
    return state.superJournalNamed || state.walSize > HistoryReading::kLargestWal;
}

// Why a reading failed, by what SQLite last said (the schema and plan checks fail with
// SQLITE_ERROR, as does a statement naming what the file does not have).
HistoryReadResult WhyNot(const HistoryDatabase& db)
{
    if (db.TimedOut())
        return HistoryReadResult::TooSlow;
    switch (db.LastError()) {
    case SQLITE_ERROR:
        return HistoryReadResult::UnknownSchema;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_IOERR:
    case SQLITE_PROTOCOL:
    case SQLITE_READONLY:
        return HistoryReadResult::Locked;
    case SQLITE_INTERRUPT:
        return HistoryReadResult::TooSlow;
    default:
        return HistoryReadResult::Damaged;
    }
}
}

HistoryReadResult HistoryReading::Read(const std::string& utf8File, const char* sideSuffix, const PrivateCopyMaker& copies,
                          LatestVisits& latest, const Query& query, std::chrono::milliseconds limit)
{
    const auto deadline = QueryWatchdog::Clock::now() + limit;
    const HistoryFileState before = HistoryFileState::Of(utf8File);
    if (before.databaseSize < 0)
        return SharedReadFile::Exists(utf8File) ? HistoryReadResult::Locked : HistoryReadResult::Missing;
    if (before.databaseSize == 0)
        return HistoryReadResult::Empty;
    if (Refused(before))
        return HistoryReadResult::Damaged;

    // Why the way in place failed; a copy that cannot be made or read says why instead.
    HistoryReadResult inPlace = HistoryReadResult::Locked;
    // With a journal under way the read in place is not even tried. Trying it would give the
    // same result: the VFS says no one holds a reserved lock, so SQLite takes exactly such a
    // journal (one whose first byte is not zero) for a hot one, and a read-only connection
    // refuses it with SQLITE_READONLY before it reads a page; that error sends the reading to
    // a copy as this test does. A journal that comes or goes between the state taken and
    // SQLite's look is met the same way, or by the state compared after the read. The test
    // only spares that doomed open.
    if (!before.JournalUnderWay()) {
        LatestVisits attempt = latest;
        bool ok;
        {
            HistoryDatabase db(utf8File, HistoryVfs::Mode::InPlace, deadline);
            ok = db.IsOpen() && query(db, attempt);
            if (!ok) {
                inPlace = WhyNot(db);
                if (db.TimedOut() || !CopyMayHelp(db.LastError()))
                    return inPlace;
            }
        }
        if (ok && HistoryFileState::Of(utf8File) == before) {
            latest = std::move(attempt);
            return HistoryReadResult::Read;
        }
    }

    if (!copies)
        return inPlace;
    for (int i = 0; i < kCopyAttempts; ++i) {
        if (QueryWatchdog::Clock::now() >= deadline)
            return HistoryReadResult::TooSlow;
        const HistoryFileState copiedFrom = HistoryFileState::Of(utf8File);
        if (Refused(copiedFrom))
            return HistoryReadResult::Damaged;
        std::unique_ptr<PrivateCopy> copy = copies(utf8File, sideSuffix);
        if (!copy || !copy->IsReady())
            return HistoryReadResult::Locked;
        if (HistoryFileState::Of(utf8File) != copiedFrom)
            continue;
        LatestVisits attempt = latest;
        HistoryDatabase db(copy->Utf8Path(), HistoryVfs::Mode::PrivateCopy, deadline);
        if (!db.IsOpen() || !query(db, attempt))
            return WhyNot(db);
        latest = std::move(attempt);
        return HistoryReadResult::Read;
    }
    return HistoryReadResult::Locked;  // it changed under every copy
}

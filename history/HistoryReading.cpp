#include "HistoryReading.h"
#include "HistoryFileState.h"
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
}

bool HistoryReading::Read(const std::string& utf8File, const char* sideSuffix, const PrivateCopyMaker& copies,
                          LatestVisits& latest, const Query& query, std::chrono::milliseconds limit)
{
    const auto deadline = QueryWatchdog::Clock::now() + limit;
    const HistoryFileState before = HistoryFileState::Of(utf8File);
    if (before.databaseSize < 0 || Refused(before))
        return false;

    if (!before.JournalUnderWay()) {
        LatestVisits attempt = latest;
        bool ok;
        {
            HistoryDatabase db(utf8File, HistoryVfs::Mode::InPlace, deadline);
            ok = db.IsOpen() && query(db, attempt);
            if (!ok && (db.TimedOut() || !CopyMayHelp(db.LastError())))
                return false;
        }
        if (ok && HistoryFileState::Of(utf8File) == before) {
            latest = std::move(attempt);
            return true;
        }
    }

    if (!copies)
        return false;
    for (int i = 0; i < kCopyAttempts && QueryWatchdog::Clock::now() < deadline; ++i) {
        const HistoryFileState copiedFrom = HistoryFileState::Of(utf8File);
        if (Refused(copiedFrom))
            return false;
        std::unique_ptr<PrivateCopy> copy = copies(utf8File, sideSuffix);
        if (!copy || !copy->IsReady())
            return false;
        if (HistoryFileState::Of(utf8File) != copiedFrom)
            continue;
        LatestVisits attempt = latest;
        HistoryDatabase db(copy->Utf8Path(), HistoryVfs::Mode::PrivateCopy, deadline);
        if (!db.IsOpen() || !query(db, attempt))
            return false;
        latest = std::move(attempt);
        return true;
    }
    return false;
}

// One history file read consistently and within bounds, in this order:
//  1. The file's state is taken (HistoryFileState). A journal that names a super-journal, or a
//     write-ahead log larger than kLargestWal, makes the file unreadable at once.
//  2. Unless a rollback journal shows a transaction under way, the file is read in place
//     (HistoryVfs: shared, read-only, nothing locked or copied). The result stands when the
//     read succeeded and the state afterwards is the one taken before.
//  3. Otherwise (the browser wrote meanwhile, or SQLite found the file busy, damaged, not a
//     database, or with a journal to roll back) a private copy is made and read, its state
//     taken before and after the copying; a copy made while the state changed is made again,
//     up to kCopyAttempts times. SQLite rolls a copied hot journal back in the copy.
// The reader's result comes from one read only, never mixed from two. One deadline (kDeadline
// from the start) bounds all of it; a file whose schema or plan the reader refuses, or whose
// reading runs out of time, is unreadable without a second try.
#pragma once
#include "HistoryDatabase.h"
#include "HistoryReadResult.h"
#include "LatestVisits.h"
#include "PrivateCopy.h"
#include <chrono>
#include <functional>
#include <string>

class HistoryReading {
public:
    // Checks the schema and reads the rows into `latest`; false when it cannot.
    using Query = std::function<bool(HistoryDatabase& db, LatestVisits& latest)>;

    // Read, with the pages in `latest`; else why not (and `latest` as it was). `copies` may be
    // empty: then there is no second way.
    static HistoryReadResult Read(const std::string& utf8File, const char* sideSuffix, const PrivateCopyMaker& copies,
                     LatestVisits& latest, const Query& query, std::chrono::milliseconds limit = kDeadline);

    static constexpr std::chrono::milliseconds kDeadline{ 2000 };
    static constexpr int64_t kLargestWal = 64LL << 20;
    static constexpr int kCopyAttempts = 3;
};

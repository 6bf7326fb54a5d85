// What identifies the state of a history file and its side files at one moment: the sizes,
// the database header's change counter and page count (bytes 24-31, changed by every commit
// in rollback mode), the WAL header's salts (bytes 16-23, changed at every restart of the
// log) and the head of the rollback journal. Taken before and after a read: when the two
// differ, the browser wrote meanwhile and what was read may mix two states.
#pragma once
#include <array>
#include <cstdint>
#include <string>

struct HistoryFileState {
    int64_t databaseSize = -1;
    std::array<uint8_t, 8> counterAndPages = {};
    int64_t journalSize = -1;
    uint8_t journalHead = 0;
    int64_t walSize = -1;
    std::array<uint8_t, 8> walSalts = {};
    bool superJournalNamed = false;

    static HistoryFileState Of(const std::string& utf8Database);

    bool operator==(const HistoryFileState& o) const
    {
        return databaseSize == o.databaseSize && counterAndPages == o.counterAndPages &&
               journalSize == o.journalSize && journalHead == o.journalHead && walSize == o.walSize &&
               walSalts == o.walSalts && superJournalNamed == o.superJournalNamed;
    }
    bool operator!=(const HistoryFileState& o) const { return !(*this == o); }

    // A rollback journal that holds a transaction: the browser is writing, or stopped while
    // it wrote (a zeroed or empty journal is a finished one).
    bool JournalUnderWay() const { return journalSize > 0 && journalHead != 0; }
};

#include "HistoryFileState.h"
#include "SharedReadFile.h"
#include <cstring>
#include <memory>

namespace {
// SQLite's rollback journal ends with the name of its super-journal, when it has one: the
// name, its length and checksum (32 bits each, big endian), then the journal's 8-byte magic.
const uint8_t kJournalMagic[8] = { 0xd9, 0xd5, 0x05, 0xf9, 0x20, 0xa1, 0x63, 0xd7 };

bool NamesSuperJournal(SharedReadFile& journal, int64_t size)
{
    uint8_t tail[16];
    if (size < 16 || journal.ReadAt(size - 16, tail, sizeof tail) != 16)
        return false;
    const uint32_t length = (uint32_t(tail[0]) << 24) | (uint32_t(tail[1]) << 16) | (uint32_t(tail[2]) << 8) | tail[3];
    return std::memcmp(tail + 8, kJournalMagic, 8) == 0 && length > 0 && length <= static_cast<uint64_t>(size - 16);
}
}

HistoryFileState HistoryFileState::Of(const std::string& utf8Database)
{
    HistoryFileState state;
    if (auto db = SharedReadFile::Open(utf8Database)) {
        state.databaseSize = db->Size();
        db->ReadAt(24, state.counterAndPages.data(), state.counterAndPages.size());
    }
    if (auto journal = SharedReadFile::Open(utf8Database + "-journal")) {
        state.journalSize = journal->Size();
        journal->ReadAt(0, &state.journalHead, 1);
        state.superJournalNamed = NamesSuperJournal(*journal, state.journalSize);
    }
    if (auto wal = SharedReadFile::Open(utf8Database + "-wal")) {
        state.walSize = wal->Size();
        wal->ReadAt(16, state.walSalts.data(), state.walSalts.size());
    }
    return state;
}

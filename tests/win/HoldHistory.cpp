// bt_hold_history FILE: holds an SQLite history file the way a running Chromium does
// (exclusive locking mode, after a committed write), signals "BtHistoryHeld", and lets go when
// "BtHistoryRelease" is set or after a minute.
#include "../../text/Utf8Text.h"
#include <sqlite3.h>
#include <windows.h>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2)
        return 2;
    sqlite3* db = nullptr;
    if (sqlite3_open(Utf8Text::FromWide(argv[1]).c_str(), &db) != SQLITE_OK)
        return 1;
    if (sqlite3_exec(db, "PRAGMA locking_mode=EXCLUSIVE; BEGIN; UPDATE urls SET title = 'held'; COMMIT;", nullptr,
                     nullptr, nullptr) != SQLITE_OK)
        return 1;
    HANDLE held = CreateEventW(nullptr, TRUE, FALSE, L"BtHistoryHeld");
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, L"BtHistoryRelease");
    SetEvent(held);
    WaitForSingleObject(release, 60000);
    sqlite3_close(db);
    CloseHandle(held);
    CloseHandle(release);
    return 0;
}

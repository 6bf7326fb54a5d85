// bt_hold_lock chromium|firefox FILE EVENT: holds a profile's lock file the way the running
// browser does, sets the event EVENT once it holds it, and waits until it is killed (a crash)
// or a minute has passed. Chromium creates its User Data "lockfile" for writing, shares it for
// reading only and has it deleted when its handle goes; Firefox creates the profile's
// "parent.lock" shared with nobody, and the file stays.
#include <windows.h>
#include <string>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4)
        return 2;
    const std::wstring kind = argv[1];
    HANDLE lock = INVALID_HANDLE_VALUE;
    if (kind == L"chromium")
        lock = CreateFileW(argv[2], GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    else if (kind == L"firefox")
        lock = CreateFileW(argv[2], GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (lock == INVALID_HANDLE_VALUE)
        return 1;
    HANDLE held = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[3]);
    if (!held)
        return 1;
    SetEvent(held);
    Sleep(60000);
    CloseHandle(held);
    CloseHandle(lock);
    return 0;
}

// bt_record_args: stands in for a browser in the link opener's tests; writes the command line
// it was started with into the file named by BT_RECORD_FILE.
#include <windows.h>

int main()
{
    char path[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("BT_RECORD_FILE", path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return 1;
    HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return 1;
    const char* line = GetCommandLineA();
    DWORD written = 0;
    WriteFile(f, line, static_cast<DWORD>(lstrlenA(line)), &written, nullptr);
    CloseHandle(f);
    return 0;
}

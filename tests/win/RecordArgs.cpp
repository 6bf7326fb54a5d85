// bt_record_args: stands in for a browser in the tests; writes the command line it was started
// with into the file named by BT_RECORD_FILE, and, when BT_RECORD_ARGV_FILE names a file, adds
// its argument vector as the program reads it (CommandLineToArgvW) to that file: one argument
// a line in UTF-8, then an empty line; then waits BT_RECORD_ARGV_LINGER_MS, when it is set.
#include <windows.h>
#include <shellapi.h>
#include <cstdlib>

namespace {
void WriteArgv(const wchar_t* path)
{
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv)
        return;
    HANDLE f = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 50 && f == INVALID_HANDLE_VALUE; ++attempt) {
        f = CreateFileW(path, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
        if (f == INVALID_HANDLE_VALUE)
            Sleep(20);
    }
    for (int i = 0; f != INVALID_HANDLE_VALUE && i < count; ++i) {
        char bytes[65536];
        int n = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, bytes, sizeof(bytes) - 1, nullptr, nullptr);
        DWORD written = 0;
        if (n > 0) {
            bytes[n - 1] = '\n';
            WriteFile(f, bytes, static_cast<DWORD>(n), &written, nullptr);
        }
    }
    if (f != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(f, "\n", 1, &written, nullptr);
        CloseHandle(f);
    }
    LocalFree(argv);
}
}

int main()
{
    wchar_t argvPath[MAX_PATH];
    DWORD m = GetEnvironmentVariableW(L"BT_RECORD_ARGV_FILE", argvPath, MAX_PATH);
    if (m > 0 && m < MAX_PATH)
        WriteArgv(argvPath);
    // A browser that takes its time to hand the page on.
    wchar_t linger[16];
    DWORD l = GetEnvironmentVariableW(L"BT_RECORD_ARGV_LINGER_MS", linger, 16);
    if (l > 0 && l < 16)
        Sleep(static_cast<DWORD>(_wtoi(linger)));
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

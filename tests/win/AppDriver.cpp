#include "AppDriver.h"
#include "WinDriver.h"
#include "../../res/resource.h"
#include <cstdio>
#include <shellapi.h>

const char kDefaultIni[] =
    "[OPTION]\r\nOpenNumber=3\r\nTargetHttp=1\r\nDisableAlreadyOpen=1\r\nCloseAfterExecute=0\r\n"
    "QueryCancelExit=1\r\nQueryCancelExitSaving=1\r\nOnlyMyHistory=1\r\n";

namespace {
void RemoveTree(const std::wstring& dir)
{
    std::wstring from = dir + L'\0';
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
}

std::string ReadFileBytes(const std::wstring& path)
{
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return "(no file)";
    std::string bytes;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof(buf), &got, nullptr) && got > 0)
        bytes.append(buf, got);
    CloseHandle(f);
    return bytes;
}
}

std::wstring AppDriver::DistDir()
{
    // The build folder as seen from Wine's drive Z:.
    std::string unixDir = BT_DIST_DIR;
    std::wstring dir = L"Z:";
    for (char c : unixDir)
        dir += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return dir;
}

AppDriver::AppDriver(const std::wstring& name, const std::wstring& exeName) : m_exeName(exeName)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    m_dir = std::wstring(temp) + L"bt-" + name + L"-" + std::to_wstring(GetCurrentProcessId());
    RemoveTree(m_dir);
    CreateDirectoryW(m_dir.c_str(), nullptr);
    if (!CopyFileW((DistDir() + L"\\Backtracker.exe").c_str(), ExePath().c_str(), FALSE))
        std::fprintf(stderr, "AppDriver: copying the program failed, error %lu\n", GetLastError());
    for (const wchar_t* readme : { L"\\readme.txt", L"\\readme-en.txt" })
        CopyFileW((DistDir() + readme).c_str(), (m_dir + readme).c_str(), FALSE);
}

AppDriver::~AppDriver()
{
    Kill();
    SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveTree(m_dir);
}

std::wstring AppDriver::IniPath() const
{
    return m_dir + L"\\" + m_exeName.substr(0, m_exeName.find_last_of(L'.')) + L".INI";
}

void AppDriver::WriteIni(const std::string& bytes) const
{
    HANDLE f = CreateFileW(IniPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
}

bool AppDriver::IniExists() const { return GetFileAttributesW(IniPath().c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string AppDriver::ReadIni() const { return ReadFileBytes(IniPath()); }

bool AppDriver::Start(const std::wstring& arguments)
{
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    // Once seen on a loaded machine: a start that fails at once. Said, and tried again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::wstring cmd = L"\"" + ExePath() + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
        if (CreateProcessW(ExePath().c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, m_dir.c_str(), &si,
                           &m_pi))
            return true;
        std::fprintf(stderr, "AppDriver: starting the program failed, error %lu\n", GetLastError());
        Sleep(500);
    }
    return false;
}

HWND AppDriver::WaitMainDialog(DWORD timeoutMs)
{
    HWND dlg = nullptr;
    // A program that has ended will not show a dialog any more.
    WinDriver::WaitFor([&] { return (dlg = WinDriver::FindDialogWithControl(Pid(), IDC_REOPEN)) || !Running(); },
                       timeoutMs);
    if (dlg)
        WinDriver::Settle(dlg);
    return dlg;
}

bool AppDriver::Running() const
{
    return m_pi.hProcess && WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD AppDriver::WaitExit(DWORD timeoutMs)
{
    if (!m_pi.hProcess || WaitForSingleObject(m_pi.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(m_pi.hProcess, &code);
    return code;
}

void AppDriver::Kill()
{
    if (!m_pi.hProcess)
        return;
    if (Running()) {
        TerminateProcess(m_pi.hProcess, 99);
        WaitForSingleObject(m_pi.hProcess, 5000);
    }
    CloseHandle(m_pi.hProcess);
    CloseHandle(m_pi.hThread);
    m_pi = {};
}

#include "CBrowserLauncher.h"
#include "../framework/FileSystem.h"
#include "../text/Utf8Text.h"
#include <windows.h>
#include <vector>

namespace {


// A registry string value (REG_SZ or REG_EXPAND_SZ), bounded; empty when missing.
std::wstring ReadString(HKEY root, const std::wstring& key, const wchar_t* name)
{
    HKEY h = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS)
        return std::wstring();
    wchar_t buf[2048] = {};
    DWORD size = sizeof(buf) - sizeof(wchar_t), type = 0;
    LONG r = RegQueryValueExW(h, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
    RegCloseKey(h);
    if (r != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::wstring();
    buf[size / sizeof(wchar_t)] = L'\0';
    return type == REG_EXPAND_SZ ? FileSystem::Expand(buf) : std::wstring(buf);
}

// The program of a command line: its quoted first part, or everything up to ".exe".
std::wstring ProgramOf(const std::wstring& command)
{
    if (!command.empty() && command[0] == L'"') {
        size_t close = command.find(L'"', 1);
        return close == std::wstring::npos ? std::wstring() : command.substr(1, close - 1);
    }
    std::wstring lower = command;
    CharLowerBuffW(&lower[0], static_cast<DWORD>(lower.size()));
    size_t exe = lower.find(L".exe");
    return exe == std::wstring::npos ? command : command.substr(0, exe + 4);
}

// Whether `path` holds `mark`, letter case aside.
bool HoldsMark(const std::wstring& path, const wchar_t* mark)
{
    if (!mark)
        return true;
    std::wstring lowerPath = path, lowerMark = mark;
    if (lowerPath.empty() || lowerMark.empty())
        return lowerMark.empty();
    CharLowerBuffW(&lowerPath[0], static_cast<DWORD>(lowerPath.size()));
    CharLowerBuffW(&lowerMark[0], static_cast<DWORD>(lowerMark.size()));
    return lowerPath.find(lowerMark) != std::wstring::npos;
}

// A program inside a Store package (or its alias) is that package's browser's alone: it counts
// only where the mark asks for one.
bool MayBe(const std::wstring& path, const wchar_t* mark)
{
    static const wchar_t kStore[] = L"\\WindowsApps\\";
    return HoldsMark(path, mark) && (!HoldsMark(path, kStore) || (mark && HoldsMark(mark, kStore)));
}

bool NamesProgram(const std::wstring& path, const wchar_t* exe)
{
    size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    return lstrcmpiW(name.c_str(), exe) == 0;
}
}

std::wstring CBrowserLauncher::Find(const wchar_t* exe, const std::vector<const wchar_t*>& programFolders,
                                    const wchar_t* mark)
{
    const std::wstring appPaths = std::wstring(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\") + exe;
    for (HKEY root : { HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE }) {
        std::wstring path = ProgramOf(ReadString(root, appPaths, nullptr));
        if (MayBe(path, mark) && FileSystem::IsFile(path))
            return path;
    }
    // The browsers' entries in the list of internet programs, whatever they are called.
    for (HKEY root : { HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE }) {
        HKEY clients = nullptr;
        if (RegOpenKeyExW(root, L"SOFTWARE\\Clients\\StartMenuInternet", 0, KEY_ENUMERATE_SUB_KEYS, &clients) !=
            ERROR_SUCCESS)
            continue;
        wchar_t name[256];
        for (DWORD i = 0; i < 64; ++i) {
            DWORD length = 256;
            if (RegEnumKeyExW(clients, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            std::wstring command = ReadString(
                root, std::wstring(L"SOFTWARE\\Clients\\StartMenuInternet\\") + name + L"\\shell\\open\\command", nullptr);
            std::wstring path = ProgramOf(command);
            if (NamesProgram(path, exe) && MayBe(path, mark) && FileSystem::IsFile(path)) {
                RegCloseKey(clients);
                return path;
            }
        }
        RegCloseKey(clients);
    }
    for (const wchar_t* place : programFolders) {
        std::wstring path = FileSystem::Expand(place) + exe;
        if (path.find(L'%') == std::wstring::npos && MayBe(path, mark) && FileSystem::IsFile(path))
            return path;
    }
    return std::wstring();
}

namespace {
// Starts the program with the arguments, then waits until the new process has exited or waits
// for input, at most `waitMs`: a running browser takes the pages from the new process, which
// then ends at once; a starting one waits for input once its window is up.
uint32_t Start(const std::wstring& program, const std::vector<std::string>& args, unsigned waitMs)
{
    // The program's path stays as found; paths hold no quote.
    std::wstring line = L"\"" + program + L"\"" + Utf8Text::ToWide(LaunchCommand::ArgumentsLine(args));
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        const DWORD error = GetLastError();
        return error ? error : ERROR_GEN_FAILURE;
    }
    DWORD start = GetTickCount();
    if (WaitForInputIdle(pi.hProcess, waitMs) == WAIT_FAILED) {
        DWORD spent = GetTickCount() - start;
        WaitForSingleObject(pi.hProcess, spent < waitMs ? waitMs - spent : 0);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return 0;
}
}

uint32_t CBrowserLauncher::Open(const std::wstring& program, LaunchCommand::Browser kind, const std::string& profile,
                                const std::string& utf8Url, unsigned waitMs)
{
    std::string safe;
    if (program.empty())
        return ERROR_FILE_NOT_FOUND;
    if (!LaunchCommand::SafeUrl(utf8Url, &safe))
        return ERROR_INVALID_PARAMETER;
    return Start(program, LaunchCommand::Arguments(kind, profile, safe), waitMs);
}

uint32_t CBrowserLauncher::StartProfile(const std::wstring& program, LaunchCommand::Browser kind, const std::string& profile,
                                        unsigned waitMs)
{
    if (program.empty())
        return ERROR_FILE_NOT_FOUND;
    return Start(program, LaunchCommand::ProfileArguments(kind, profile), waitMs);
}

std::vector<uint32_t> CBrowserLauncher::OpenTabs(const std::wstring& program, LaunchCommand::Browser kind,
                                                 const std::string& profile, const std::vector<std::string>& utf8Urls,
                                                 unsigned waitMs)
{
    std::vector<uint32_t> opened(utf8Urls.size(), program.empty() ? ERROR_FILE_NOT_FOUND : ERROR_INVALID_PARAMETER);
    if (program.empty())
        return opened;
    std::vector<std::string> safe;
    std::vector<size_t> of;  // each safe address's page
    for (size_t i = 0; i < utf8Urls.size(); ++i) {
        std::string s;
        if (LaunchCommand::SafeUrl(utf8Urls[i], &s)) {
            safe.push_back(std::move(s));
            of.push_back(i);
        }
    }
    // The line is counted in UTF-8 bytes, never fewer than its UTF-16 characters.
    const size_t programLength = Utf8Text::FromWide(program).size() + 2;
    std::vector<std::string> left;
    std::vector<size_t> pages;
    const auto commands = LaunchCommand::TabCommands(kind, profile, safe, programLength,
                                                     LaunchCommand::kLongestCommandLine - 1, &left, &pages);
    // The commands hold the pages that were not left out, in order.
    size_t next = 0, leftAt = 0;
    for (size_t c = 0; c < commands.size(); ++c) {
        const uint32_t started = Start(program, commands[c], waitMs);
        for (size_t n = 0; n < pages[c]; ++next) {
            if (leftAt < left.size() && safe[next] == left[leftAt]) {
                ++leftAt;
                continue;
            }
            opened[of[next]] = started;
            ++n;
        }
    }
    return opened;
}

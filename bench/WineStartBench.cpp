// Under Wine: how long Backtracker takes to show its dialog and how much memory it holds then,
// against the floor program (bt_start_floor.exe: the same resources, OLE and a named mutex,
// nothing else), started in alternating order from copies of their own in a temporary folder.
// Then the close: Esc with the settings saved, and how long after the dialog is gone the
// settings file is written and the process has ended. Last, a few runs of the usual use:
// "再び表示(&R)" with "URLを表示したらこのダイアログを閉じる(&X)" ticked, one page of the URL
// cache opened in Wine's browser, and the same figures after the dialog has gone.
//
// Usage: wine_start_bench.exe [runs]   (default 21 of each, after 2 warm-up runs of each)
#include "../res/resource.h"
#include "../tests/win/HistorySeeder.h"
#include <windows.h>
#include <psapi.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <ctime>
#include <string>
#include <vector>

namespace {

struct Run {
    double startMs = 0;       // CreateProcess until the main dialog is visible
    double readyMs = 0;       // CreateProcess until it is painted and waits for input
    double workingSetMb = 0;  // once the dialog is visible and the program idle
    double hideMs = 0;        // Esc or the button posted until the dialog is hidden
    double destroyedMs = -1;  // dialog hidden until its window is destroyed
    double savedMs = -1;      // dialog hidden until the settings file was written (-1: not seen)
    double exitMs = 0;        // dialog hidden until the process has ended
};

struct Program {
    const wchar_t* name;
    std::wstring exe;
    std::wstring settings;  // empty: the program keeps none
    std::vector<Run> runs;
    std::set<std::wstring> modules;  // loaded when the dialog showed, in the last run
};

LARGE_INTEGER g_frequency;

double Now()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * t.QuadPart / g_frequency.QuadPart;
}

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

std::set<std::wstring> ModulesOf(HANDLE process)
{
    HMODULE modules[512];
    DWORD bytes = 0;
    std::set<std::wstring> names;
    if (!EnumProcessModules(process, modules, sizeof(modules), &bytes))
        return names;
    for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
        wchar_t name[MAX_PATH] = {};
        if (GetModuleBaseNameW(process, modules[i], name, MAX_PATH))
            names.insert(CharLowerW(name));
    }
    return names;
}

// The process's main dialog once it is visible. Looked for by class and title (one call to the
// window manager), so that polling every millisecond takes little from the starting program.
HWND VisibleDialogOf(DWORD pid)
{
    for (HWND wnd = nullptr; (wnd = FindWindowExW(nullptr, wnd, L"#32770", L"Backtracker"));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(wnd, &owner);
        if (owner == pid && IsWindowVisible(wnd) && !GetWindow(wnd, GW_OWNER))
            return wnd;
    }
    return nullptr;
}

ULONGLONG LastWrite(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (ULONGLONG(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

enum class Closing { Escape, Reopen };

void PrepareSettings(const std::wstring& path, Closing how)
{
    // Closing with Esc saves without asking; the file is written anew on each close. Reopening
    // takes the latest page of the URL cache alone and ends the program.
    DeleteFileW(path.c_str());
    const wchar_t* file = path.c_str();
    WritePrivateProfileStringW(L"OPTION", L"QueryCancelExit", L"0", file);
    WritePrivateProfileStringW(L"OPTION", L"QueryCancelExitSaving", L"1", file);
    if (how == Closing::Reopen) {
        WritePrivateProfileStringW(L"OPTION", L"OpenNumber", L"1", file);
        WritePrivateProfileStringW(L"OPTION", L"CloseAfterExecute", L"1", file);
        for (const wchar_t* browser : { L"Edge", L"Chrome", L"Firefox" })
            WritePrivateProfileStringW(L"BROWSERS", browser, L"0", file);
    }
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, file);
    // Dated an hour back, as a file of an earlier session is: Wine reads a file written in the
    // last two seconds again for every key.
    HANDLE handle = CreateFileW(file, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULONGLONG earlier = ((ULONGLONG(now.dwHighDateTime) << 32) | now.dwLowDateTime) - 3600ULL * 10000000;
    FILETIME then = { static_cast<DWORD>(earlier), static_cast<DWORD>(earlier >> 32) };
    SetFileTime(handle, nullptr, nullptr, &then);
    CloseHandle(handle);
}

bool RunOnce(Program& program, bool keep, Closing how = Closing::Escape)
{
    if (!program.settings.empty())
        PrepareSettings(program.settings, how);
    ULONGLONG settingsBefore = program.settings.empty() ? 0 : LastWrite(program.settings);

    Run run;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::wstring command = L"\"" + program.exe + L"\"";
    double t0 = Now();
    if (!CreateProcessW(program.exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        Folder(program.exe).c_str(), &si, &pi)) {
        std::fprintf(stderr, "cannot start %ls (%lu)\n", program.exe.c_str(), GetLastError());
        return false;
    }
    HWND dialog = nullptr;
    while (!(dialog = VisibleDialogOf(pi.dwProcessId))) {
        if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0 || Now() - t0 > 30000) {
            std::fprintf(stderr, "%ls ended or hung before its dialog showed\n", program.name);
            TerminateProcess(pi.hProcess, 1);
            return false;
        }
    }
    run.startMs = Now() - t0;
    WaitForInputIdle(pi.hProcess, 5000);
    run.readyMs = Now() - t0;
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof(pmc));
    run.workingSetMb = pmc.WorkingSetSize / 1048576.0;
    program.modules = ModulesOf(pi.hProcess);

    double closing = Now();
    if (how == Closing::Reopen) {
        HWND button = GetDlgItem(dialog, IDC_REOPEN);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_REOPEN, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    } else {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    while (IsWindow(dialog) && IsWindowVisible(dialog)) {
        if (Now() - closing > 60000) {
            std::fprintf(stderr, "%ls did not close its dialog\n", program.name);
            TerminateProcess(pi.hProcess, 1);
            return false;
        }
        Sleep(1);
    }
    double hidden = Now();
    run.hideMs = hidden - closing;
    bool ended = false;
    while (!ended) {
        ended = WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0;
        if (run.destroyedMs < 0 && !IsWindow(dialog))
            run.destroyedMs = Now() - hidden;
        if (run.savedMs < 0 && !program.settings.empty() && LastWrite(program.settings) != settingsBefore)
            run.savedMs = Now() - hidden;
        if (Now() - hidden > 30000) {
            std::fprintf(stderr, "%ls did not end after its dialog\n", program.name);
            TerminateProcess(pi.hProcess, 1);
            break;
        }
    }
    run.exitMs = Now() - hidden;
    if (run.savedMs < 0 && !program.settings.empty() && LastWrite(program.settings) != settingsBefore)
        run.savedMs = run.exitMs;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (keep)
        program.runs.push_back(run);
    return true;
}

struct Spread {
    double median, low, high, q1, q3;
};

Spread SpreadOf(const std::vector<Run>& runs, double Run::*field)
{
    std::vector<double> v;
    for (const Run& r : runs)
        v.push_back(r.*field);
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return { n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2, v.front(), v.back(), v[n / 4], v[(3 * n) / 4] };
}

void Print(const Program& p, double Run::*field, const char* unit)
{
    Spread s = SpreadOf(p.runs, field);
    std::printf("  %-16ls median %7.1f %s   min %7.1f  max %7.1f  quartiles %.1f .. %.1f\n", p.name, s.median,
                unit, s.low, s.high, s.q1, s.q3);
}

bool CopyInto(const std::wstring& from, const std::wstring& folder, const std::wstring& name)
{
    CreateDirectoryW(folder.c_str(), nullptr);
    return CopyFileW(from.c_str(), (folder + L"\\" + name).c_str(), FALSE) != 0;
}

}

int main(int argc, char** argv)
{
    QueryPerformanceFrequency(&g_frequency);
    int runs = argc > 1 ? std::max(15, std::atoi(argv[1])) : 21;
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring build = Folder(self);
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    std::wstring root = std::wstring(temp) + L"bt-bench-start";
    CreateDirectoryW(root.c_str(), nullptr);

    Program app{ L"Backtracker", root + L"\\app\\Backtracker.exe", root + L"\\app\\Backtracker.ini", {}, {} };
    Program floor{ L"floor", root + L"\\floor\\bt_start_floor.exe", L"", {}, {} };
    if (!CopyInto(build + L"\\dist\\Backtracker.exe", root + L"\\app", L"Backtracker.exe") ||
        !CopyInto(build + L"\\dist\\readme.txt", root + L"\\app", L"readme.txt") ||
        !CopyInto(build + L"\\bt_start_floor.exe", root + L"\\floor", L"bt_start_floor.exe")) {
        std::fprintf(stderr, "cannot copy the programs from %ls\n", build.c_str());
        return 1;
    }
    // Warm-up, then pairs in alternating order: floor first in one pair, Backtracker in the next.
    for (int i = 0; i < 2; ++i)
        if (!RunOnce(floor, false) || !RunOnce(app, false))
            return 1;
    for (int i = 0; i < runs; ++i) {
        Program& first = i % 2 ? app : floor;
        Program& second = i % 2 ? floor : app;
        if (!RunOnce(first, true) || !RunOnce(second, true))
            return 1;
    }

    std::printf("start until the dialog is visible (%d runs each, alternating):\n", runs);
    Print(floor, &Run::startMs, "ms");
    Print(app, &Run::startMs, "ms");
    double ratio = SpreadOf(app.runs, &Run::startMs).median / SpreadOf(floor.runs, &Run::startMs).median;
    std::printf("  ratio of the medians: %.3f (goal 1.1)\n", ratio);
    std::printf("start until the dialog is painted and waits for input:\n");
    Print(floor, &Run::readyMs, "ms");
    Print(app, &Run::readyMs, "ms");
    std::printf("  ratio of the medians: %.3f\n",
                SpreadOf(app.runs, &Run::readyMs).median / SpreadOf(floor.runs, &Run::readyMs).median);
    std::printf("modules loaded when the dialog shows: floor %zu, Backtracker %zu; Backtracker's others:",
                floor.modules.size(), app.modules.size());
    for (const std::wstring& name : app.modules)
        if (!floor.modules.count(name) && name != L"backtracker.exe")
            std::printf(" %ls", name.c_str());
    std::printf("\n");
    std::printf("working set once the dialog shows:\n");
    Print(floor, &Run::workingSetMb, "MB");
    Print(app, &Run::workingSetMb, "MB");
    double extra = SpreadOf(app.runs, &Run::workingSetMb).median - SpreadOf(floor.runs, &Run::workingSetMb).median;
    std::printf("  difference of the medians: %+.2f MB (goal at most +1 MB)\n", extra);
    std::printf("closing with Esc: until the dialog is hidden\n");
    Print(floor, &Run::hideMs, "ms");
    Print(app, &Run::hideMs, "ms");
    std::printf("after the dialog is hidden: until its window is destroyed\n");
    Print(floor, &Run::destroyedMs, "ms");
    Print(app, &Run::destroyedMs, "ms");
    std::printf("after the dialog is hidden: until the process has ended\n");
    Print(floor, &Run::exitMs, "ms");
    Print(app, &Run::exitMs, "ms");
    int unsaved = 0;
    for (const Run& r : app.runs)
        unsaved += r.savedMs < 0;
    std::printf("after the dialog is hidden: until Backtracker.ini is written (%d of %d runs without it)\n",
                unsaved, runs);
    Print(app, &Run::savedMs, "ms");

    // The usual use: one page reopened, the program ending by itself.
    HistorySeeder::Clear();
    HistorySeeder::Add(HistorySeeder::VisitName("http://127.0.0.1:9/start-bench.html"),
                       static_cast<int64_t>(time(nullptr)) - 60);
    Program reopening{ L"Backtracker", app.exe, app.settings, {}, {} };
    const int reopenRuns = 5;
    for (int i = 0; i < reopenRuns; ++i)
        if (!RunOnce(reopening, true, Closing::Reopen))
            return 1;
    HistorySeeder::Clear();
    std::printf("\"再び表示(&R)\" with \"URLを表示したらこのダイアログを閉じる(&X)\", one page in Wine's browser (%d runs):\n", reopenRuns);
    std::printf("the command, until the dialog is hidden\n");
    Print(reopening, &Run::hideMs, "ms");
    std::printf("after the dialog is hidden: until Backtracker.ini is written\n");
    Print(reopening, &Run::savedMs, "ms");
    std::printf("after the dialog is hidden: until the process has ended\n");
    Print(reopening, &Run::exitMs, "ms");
    for (const Run& r : reopening.runs)
        unsaved += r.savedMs < 0;

    bool met = ratio <= 1.1 && extra <= 1.0 && unsaved == 0;
    std::printf("%s\n", met ? "goals met" : "GOALS NOT MET");
    return 0;
}

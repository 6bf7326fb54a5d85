// Under Wine: how long Backtracker takes to show its dialog and how much memory it holds then,
// against the floor program (bt_start_floor.exe: the same resources, OLE and a named mutex,
// nothing else), started in alternating order from copies of their own in a temporary folder.
// Then the close: Esc with the settings saved, and how long after the dialog is gone the
// settings file is written and the process has ended.
//
// Usage: wine_start_bench.exe [runs]   (default 21 of each, after 2 warm-up runs of each)
#include <windows.h>
#include <psapi.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Run {
    double startMs = 0;       // CreateProcess until the main dialog is visible
    double workingSetMb = 0;  // once the dialog is visible and the program idle
    double hideMs = 0;        // Esc posted until the dialog is hidden
    double destroyedMs = -1;  // dialog hidden until its window is destroyed
    double savedMs = -1;      // dialog hidden until the settings file was written (-1: not seen)
    double exitMs = 0;        // dialog hidden until the process has ended
};

struct Program {
    const wchar_t* name;
    std::wstring exe;
    std::wstring settings;  // empty: the program keeps none
    std::vector<Run> runs;
};

LARGE_INTEGER g_frequency;

double Now()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * t.QuadPart / g_frequency.QuadPart;
}

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

HWND VisibleDialogOf(DWORD pid)
{
    struct Search { DWORD pid; HWND found; } search{ pid, nullptr };
    EnumWindows([](HWND wnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(wnd, &owner);
        wchar_t cls[16] = {};
        GetClassNameW(wnd, cls, 16);
        if (owner != s->pid || !IsWindowVisible(wnd) || lstrcmpW(cls, L"#32770"))
            return TRUE;
        s->found = wnd;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

ULONGLONG LastWrite(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (ULONGLONG(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

bool RunOnce(Program& program, bool keep)
{
    if (!program.settings.empty()) {
        // Closing with Esc saves without asking; the file is written anew on each close.
        DeleteFileW(program.settings.c_str());
        WritePrivateProfileStringW(L"OPTION", L"QueryCancelExit", L"0", program.settings.c_str());
        WritePrivateProfileStringW(L"OPTION", L"QueryCancelExitSaving", L"1", program.settings.c_str());
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, program.settings.c_str());
    }
    ULONGLONG settingsBefore = program.settings.empty() ? 0 : LastWrite(program.settings);
    Sleep(50);  // so that a new write shows in the file's time

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
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof(pmc));
    run.workingSetMb = pmc.WorkingSetSize / 1048576.0;

    double closing = Now();
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    while (IsWindow(dialog) && IsWindowVisible(dialog))
        Sleep(1);
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

    Program app{ L"Backtracker", root + L"\\app\\Backtracker.exe", root + L"\\app\\Backtracker.ini", {} };
    Program floor{ L"floor", root + L"\\floor\\bt_start_floor.exe", L"", {} };
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
    std::printf("working set once the dialog shows:\n");
    Print(floor, &Run::workingSetMb, "MB");
    Print(app, &Run::workingSetMb, "MB");
    double extra = SpreadOf(app.runs, &Run::workingSetMb).median - SpreadOf(floor.runs, &Run::workingSetMb).median;
    std::printf("  difference of the medians: %+.2f MB (goal at most +3 MB)\n", extra);
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
    bool met = ratio <= 1.1 && extra <= 3.0 && unsaved == 0;
    std::printf("%s\n", met ? "goals met" : "GOALS NOT MET");
    return 0;
}

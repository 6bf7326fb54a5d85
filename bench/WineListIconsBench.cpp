// Under Wine, end to end: the list of recent pages opened from the main dialog's menu with 100
// rows from a Chromium and a Firefox profile of 100,000 addresses each, laid out where the
// browsers keep them; the time from the menu to the rows filled without icon files beside the
// histories, against the time to every row's icon shown with them (an icon for every page,
// 5,000 sites). Alternating rounds, each in a fresh copy of the program; goal at most 1.2.
#include "../tests/win/AppDriver.h"
#include "../tests/win/WinDriver.h"
#include "../res/resource.h"
#include "../text/Utf8Text.h"
#include "SyntheticHistory.h"
#include <windows.h>
#include <shlobj.h>
#include <sqlite3.h>
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

using namespace WinDriver;

namespace {
const int64_t kNowUs = 1765000000LL * 1000000;

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
}

int main()
{
    const std::wstring chrome = KnownFolder(FOLDERID_LocalAppData) + L"\\Google\\Chrome\\User Data\\Default";
    const std::wstring firefoxRoot = KnownFolder(FOLDERID_RoamingAppData) + L"\\Mozilla\\Firefox";
    const std::wstring firefox = firefoxRoot + L"\\Profiles\\bench.default";
    MakeFolders(chrome);
    MakeFolders(firefox);
    const std::string chromeHistory = Utf8Text::FromWide(chrome + L"\\History");
    const std::string firefoxHistory = Utf8Text::FromWide(firefox + L"\\places.sqlite");
    SyntheticHistory::Build(chromeHistory, true, 100000, 300000, kNowUs);
    SyntheticHistory::Build(firefoxHistory, false, 100000, 300000, kNowUs);
    {
        FILE* ini = _wfopen((firefoxRoot + L"\\profiles.ini").c_str(), L"wb");
        std::fputs("[Profile0]\r\nName=bench\r\nIsRelative=1\r\nPath=Profiles/bench.default\r\n", ini);
        std::fclose(ini);
    }
    const std::wstring icons[] = { chrome + L"\\Favicons", firefox + L"\\favicons.sqlite" };
    SyntheticHistory::BuildIcons(chromeHistory, false, Utf8Text::FromWide(icons[0]) + ".kept");
    SyntheticHistory::BuildIcons(firefoxHistory, true, Utf8Text::FromWide(icons[1]) + ".kept");
    const auto withIcons = [&](bool on) {
        for (const std::wstring& f : icons) {
            DeleteFileW(f.c_str());
            if (on)
                CopyFileW((f + L".kept").c_str(), f.c_str(), FALSE);
        }
    };

    // One round: the time from the menu to the list's rows (all of them with their icons).
    const auto round = [&](bool icons) -> double {
        withIcons(icons);
        AppDriver app(L"ListIconsBench");
        app.WriteIni("[OPTION]\r\nQueryCancelExit=0\r\n[BROWSERS]\r\nInternetExplorer=0\r\n[LIST]\r\nListNumber=100\r\n");
        if (!app.Start())
            return -1;
        HWND main = app.WaitMainDialog();
        if (!main)
            return -1;
        Sleep(300);
        LARGE_INTEGER f, a, b;
        QueryPerformanceFrequency(&f);
        QueryPerformanceCounter(&a);
        PostMessageW(main, WM_SYSCOMMAND, IDM_LIST, 0);
        HWND listDlg = WaitDialogWithControl(app.Pid(), IDC_LIST_PAGES, 30000);
        HWND list = listDlg ? GetDlgItem(listDlg, IDC_LIST_PAGES) : nullptr;
        const bool done = list && WaitFor([&] {
            if (!IsWindowEnabled(GetDlgItem(listDlg, IDC_LIST_CHECK_ALL)))
                return false;
            const std::vector<ListRow> rows = ListRows(list);
            return rows.size() == 100 && (!icons || std::all_of(rows.begin(), rows.end(), [](const ListRow& r) { return r.image > 0; }));
        }, 30000);
        QueryPerformanceCounter(&b);
        if (listDlg)
            PostMessageW(listDlg, WM_COMMAND, IDCANCEL, 0);
        Sleep(200);
        PostMessageW(main, WM_COMMAND, IDCANCEL, 0);
        if (app.WaitExit(5000) == STILL_ACTIVE)
            app.Kill();
        return done ? 1000.0 * (b.QuadPart - a.QuadPart) / f.QuadPart : -1;
    };
    round(false);  // warm
    std::vector<double> plain, iconic;
    for (int i = 0; i < 9; ++i) {
        plain.push_back(round(false));
        iconic.push_back(round(true));
    }
    std::printf("list of 100 rows from the menu, filled:            median %8.1f ms\n", Median(plain));
    std::printf("the same with every row's site icon shown:          median %8.1f ms\n", Median(iconic));
    std::printf("ratio with icons / without: %.2f (goal at most 1.2)\n", Median(iconic) / Median(plain));
    for (const std::wstring& f : icons) {
        DeleteFileW(f.c_str());
        DeleteFileW((f + L".kept").c_str());
    }
    RemoveTree(KnownFolder(FOLDERID_LocalAppData) + L"\\Google");
    RemoveTree(firefoxRoot);
    return 0;
}

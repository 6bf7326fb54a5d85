// bt_drive: works a running Backtracker from the command line, for the screenshot and demo
// scripts. Commands: main-rect | question-rect | version-rect | sources-rect | messagebox-rect
// (wait for the window, print "x y w h"), sources (the system menu's sources item), icon-centre | link-centre (the version dialog's web link; print "x y"), escape (Esc in the main dialog), click ID (a button
// of the main dialog), answer ID (a button of the exit question), list (the system menu's
// list item), windows (its last-windows item), list-rect (the list once it shows), list-loaded-rect (the list once its pages
// are in), list-icons-rect (once its rows show their sites' icons), list-filter TEXT (typed
// into the list's filter), list-found-rect (once the search for the filter has ended),
// list-period N (chooses the period N of the list's choice), list-period-open (drops the
// choice open), close-all (ends every dialog with Cancel/OK).
#include "WinDriver.h"
#include <shellapi.h>
#include "../../res/resource.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace WinDriver;

namespace {
int PrintRect(HWND wnd)
{
    if (!wnd) {
        std::fprintf(stderr, "bt_drive: window not found\n");
        return 1;
    }
    Settle(wnd);
    Sleep(300);  // let it paint
    RECT rc;
    GetWindowRect(wnd, &rc);
    std::printf("%ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    return 0;
}

HWND Main() { return WaitDialogWithControl(0, IDC_REOPEN, 20000); }
HWND Question() { return WaitDialogWithControl(0, IDC_SAVE_AND_CLOSE, 20000); }
}

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bt_drive COMMAND [ID]\n");
        return 2;
    }
    const char* cmd = argv[1];
    int id = argc > 2 ? std::atoi(argv[2]) : 0;
    if (!std::strcmp(cmd, "main-rect"))
        return PrintRect(Main());
    if (!std::strcmp(cmd, "question-rect"))
        return PrintRect(Question());
    if (!std::strcmp(cmd, "version-rect"))
        return PrintRect(WaitDialogWithControl(0, IDC_WEB_LINK, 20000));
    if (!std::strcmp(cmd, "sources-rect"))
        return PrintRect(WaitDialogWithControl(0, IDC_SOURCE_LIST, 20000));
    if (!std::strcmp(cmd, "sources")) {
        HWND dlg = Main();
        if (!dlg)
            return 1;
        PostMessageW(dlg, WM_SYSCOMMAND, IDM_SOURCES, 0);
        return 0;
    }
    if (!std::strcmp(cmd, "list")) {
        HWND dlg = Main();
        if (!dlg)
            return 1;
        PostMessageW(dlg, WM_SYSCOMMAND, IDM_LIST, 0);
        return 0;
    }
    if (!std::strcmp(cmd, "windows")) {
        HWND dlg = Main();
        if (!dlg)
            return 1;
        PostMessageW(dlg, WM_SYSCOMMAND, IDM_WINDOWS, 0);
        return 0;
    }
    if (!std::strcmp(cmd, "list-rect"))
        return PrintRect(WaitDialogWithControl(0, IDC_LIST_PAGES, 20000));
    if (!std::strcmp(cmd, "list-loaded-rect")) {
        HWND list = WaitDialogWithControl(0, IDC_LIST_PAGES, 20000);
        if (!list || !WaitFor([&] { return IsWindowEnabled(GetDlgItem(list, IDC_LIST_CHECK_ALL)) != FALSE; }, 30000))
            return 1;
        return PrintRect(list);
    }
    if (!std::strcmp(cmd, "list-icons-rect") || !std::strcmp(cmd, "list-found-rect")) {
        HWND list = WaitDialogWithControl(0, IDC_LIST_PAGES, 20000);
        const bool icons = !std::strcmp(cmd, "list-icons-rect");
        // The search's status says "…" while it runs.
        const auto done = [&] {
            if (!IsWindowEnabled(GetDlgItem(list, IDC_LIST_CHECK_ALL)) && ListRows(GetDlgItem(list, IDC_LIST_PAGES)).empty())
                return false;
            if (icons) {
                for (const ListRow& row : ListRows(GetDlgItem(list, IDC_LIST_PAGES)))
                    if (row.image > 0)
                        return true;
                return false;
            }
            return ItemText(list, IDC_LIST_STATUS).find(L'\u2026') == std::wstring::npos;
        };
        if (!list || !WaitFor(done, 30000))
            return 1;
        Sleep(700);
        return PrintRect(list);
    }
    if (!std::strcmp(cmd, "list-period") && argc > 2) {
        HWND list = WaitDialogWithControl(0, IDC_LIST_PAGES, 20000);
        if (!list)
            return 1;
        HWND period = GetDlgItem(list, IDC_LIST_PERIOD);
        SendMessageW(period, CB_SHOWDROPDOWN, FALSE, 0);  // closed, if it was dropped open
        SendMessageW(period, CB_SETCURSEL, static_cast<WPARAM>(std::atoi(argv[2])), 0);
        SendMessageW(list, WM_COMMAND, MAKEWPARAM(IDC_LIST_PERIOD, CBN_SELCHANGE), reinterpret_cast<LPARAM>(period));
        return 0;
    }
    if (!std::strcmp(cmd, "list-period-open")) {
        HWND list = WaitDialogWithControl(0, IDC_LIST_PAGES, 20000);
        if (!list)
            return 1;
        SetForegroundWindow(list);
        PostMessageW(GetDlgItem(list, IDC_LIST_PERIOD), CB_SHOWDROPDOWN, TRUE, 0);
        Sleep(500);
        return PrintRect(list);
    }
    if (!std::strcmp(cmd, "list-filter") && argc > 2) {
        HWND list = WaitDialogWithControl(0, IDC_LIST_PAGES, 20000);
        if (!list)
            return 1;
        // The text as typed, not through the ANSI code page of argv.
        int count = 0;
        LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
        if (!args || count < 3)
            return 1;
        SetWindowTextW(GetDlgItem(list, IDC_LIST_FILTER), args[2]);
        LocalFree(args);
        return 0;
    }
    if (!std::strcmp(cmd, "reopen-arrow")) {
        // The arrow of the split button: its right end.
        HWND dlg = Main();
        RECT rc;
        if (!dlg || !GetWindowRect(GetDlgItem(dlg, IDC_REOPEN), &rc))
            return 1;
        std::printf("%ld %ld\n", rc.right - 7, (rc.top + rc.bottom) / 2);
        return 0;
    }
    if ((!std::strcmp(cmd, "list-size") && argc > 3) || !std::strcmp(cmd, "list-maximize")) {
        HWND list = WaitDialogWithControl(0, IDC_LIST_PAGES, 20000);
        if (!list)
            return 1;
        if (!std::strcmp(cmd, "list-maximize"))
            ShowWindow(list, SW_MAXIMIZE);
        else
            SetWindowPos(list, nullptr, 0, 0, std::atoi(argv[2]), std::atoi(argv[3]), SWP_NOMOVE | SWP_NOZORDER);
        Sleep(500);
        return PrintRect(list);
    }
    if (!std::strcmp(cmd, "list-layout")) {
        // The list's client size, and where its list and its close button stand in it.
        HWND list = WaitDialogWithControl(0, IDC_LIST_PAGES, 20000);
        if (!list)
            return 1;
        RECT client, pages, close;
        GetClientRect(list, &client);
        GetWindowRect(GetDlgItem(list, IDC_LIST_PAGES), &pages);
        GetWindowRect(GetDlgItem(list, IDCANCEL), &close);
        MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&pages), 2);
        MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&close), 2);
        std::printf("client %ld %ld pages %ld %ld %ld %ld close %ld %ld %ld %ld\n", client.right, client.bottom, pages.left,
                    pages.top, pages.right, pages.bottom, close.left, close.top, close.right, close.bottom);
        return 0;
    }
    if (!std::strcmp(cmd, "messagebox-rect"))
        return PrintRect(WaitMessageBox(0, 20000));
    if (!std::strcmp(cmd, "icon-centre")) {
        HWND dlg = Main();
        RECT rc;
        if (!dlg || !GetWindowRect(GetDlgItem(dlg, IDC_HOT_ICON), &rc))
            return 1;
        std::printf("%ld %ld\n", (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        return 0;
    }
    if (!std::strcmp(cmd, "link-centre")) {
        HWND dlg = WaitDialogWithControl(0, IDC_WEB_LINK, 20000);
        RECT rc;
        if (!dlg || !GetWindowRect(GetDlgItem(dlg, IDC_WEB_LINK), &rc))
            return 1;
        std::printf("%ld %ld\n", (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        return 0;
    }
    if (!std::strcmp(cmd, "escape")) {
        HWND dlg = Main();
        if (!dlg)
            return 1;
        PostKey(GetDlgItem(dlg, IDC_COUNT), VK_ESCAPE);
        return 0;
    }
    if (!std::strcmp(cmd, "click") || !std::strcmp(cmd, "answer")) {
        HWND dlg = !std::strcmp(cmd, "click") ? Main() : Question();
        if (!dlg)
            return 1;
        PostClick(dlg, id);
        return 0;
    }
    if (!std::strcmp(cmd, "close-all")) {
        for (int i = 0; i < 5; ++i) {
            if (HWND box = FindMessageBox(0))
                PostClick(box, IDOK);
            else if (HWND pages = FindDialogWithControl(0, IDC_LIST_PAGES))
                PostClick(pages, IDCANCEL);
            else if (HWND src = FindDialogWithControl(0, IDC_SOURCE_LIST))
                PostClick(src, IDCANCEL);
            else if (HWND v = FindDialogWithControl(0, IDC_WEB_LINK))
                PostClick(v, IDOK);
            else if (HWND q = FindDialogWithControl(0, IDC_SAVE_AND_CLOSE))
                PostClick(q, IDCANCEL);
            else if (HWND dlg = FindDialogWithControl(0, IDC_REOPEN))
                PostClick(dlg, IDOK);
            else
                return 0;
            Sleep(300);
        }
        return 0;
    }
    std::fprintf(stderr, "bt_drive: unknown command %s\n", cmd);
    return 2;
}

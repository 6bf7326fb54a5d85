// bt_plain_dialog: the program's main dialog template run by the system's dialog manager
// alone, without our framework: plain dialog procedures, button 1005 runs the version
// template modally. It prints which command Enter ran, for comparing the dialog manager's own
// handling of the default button with the program's.
#include "../../res/resource.h"
#include "PlainDialogProc.h"
#include <windows.h>
#include <commctrl.h>
#include <cstdio>

namespace {
INT_PTR CALLBACK MainProc(HWND dlg, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_REOPEN:
        std::printf("command %d\n", IDC_REOPEN);
        std::fflush(stdout);
        return TRUE;
    case IDC_VERSION:
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_VERSION), dlg, PlainDialogProc, 0);
        return TRUE;
    case IDOK:
    case IDCANCEL:
        EndDialog(dlg, LOWORD(wParam));
        return TRUE;
    }
    std::printf("command %d\n", LOWORD(wParam));
    std::fflush(stdout);
    return TRUE;
}
}

int main()
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES };
    InitCommonControlsEx(&icc);
    return static_cast<int>(
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_BACKTRACKER_DIALOG), nullptr, MainProc, 0));
}

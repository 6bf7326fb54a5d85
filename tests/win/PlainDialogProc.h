// The plainest dialog procedure: the focus to the first tab stop, OK or Esc ends the dialog.
// For the programs that run the program's templates without our framework.
#pragma once
#include <windows.h>

inline INT_PTR CALLBACK PlainDialogProc(HWND dlg, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dlg, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

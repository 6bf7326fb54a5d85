// bt_start_floor: the least a program can do to show Backtracker's main dialog, the floor of
// the start-up benchmark. The same resources (template 102, manifest, icon), OLE initialised
// and a named mutex taken as the program does; then the dialog under a plain dialog procedure.
// Esc or the close box ends it.
#include "../res/resource.h"
#include "../tests/win/PlainDialogProc.h"
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES };
    InitCommonControlsEx(&icc);
    if (FAILED(OleInitialize(nullptr)))
        return 1;
    HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Backtracker start-up floor");
    if (!mutex || WaitForSingleObject(mutex, 0) != WAIT_OBJECT_0)
        return 2;
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_BACKTRACKER_DIALOG), nullptr, PlainDialogProc, 0);
    ReleaseMutex(mutex);
    CloseHandle(mutex);
    OleUninitialize();
    return 0;
}

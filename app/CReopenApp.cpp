#include "CReopenApp.h"
#include "CReopenDlg.h"
#include "CSettingsFile.h"
#include "SettingsRules.h"
#include "../framework/AfxMessageBox.h"
#include "../framework/CMutex.h"

CReopenApp theApp;

namespace {
// Shared by every copy of the program, whatever its name or folder.
const wchar_t kMutexName[] = L"Backtracker:二重起動はできないわよー";
}

CReopenApp::CReopenApp() = default;

// The copy that runs shows its dialog in front, restored if it was minimised, so that a start
// that ends at once is seen to have done something. Its main dialog is the dialog titled
// "Backtracker" that no other window owns (the exit question and message boxes carry the same
// title but are owned by it); a dialog it has open in front of it comes forward with it.
void CReopenApp::BringRunningCopyToFront()
{
    HWND main = nullptr;
    EnumWindows([](HWND wnd, LPARAM found) -> BOOL {
        wchar_t cls[16] = {}, title[32] = {};
        GetClassNameW(wnd, cls, 16);
        GetWindowTextW(wnd, title, 32);
        if (lstrcmpW(cls, L"#32770") || lstrcmpW(title, L"Backtracker") || GetWindow(wnd, GW_OWNER))
            return TRUE;
        *reinterpret_cast<HWND*>(found) = wnd;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&main));
    if (!main)
        return;
    if (IsIconic(main))
        ShowWindow(main, SW_RESTORE);
    SetForegroundWindow(GetLastActivePopup(main));
}

BOOL CReopenApp::InitInstance()
{
    if (!AfxOleInit()) {
        AfxMessageBox(IDS_FATAL_OLE_INIT);
        return FALSE;
    }
    CMutex guard(FALSE, kMutexName);
    if (!guard.Lock(0)) {
        BringRunningCopyToFront();
        return FALSE;
    }

    CSettingsFile settings(SettingsRules::SettingsPath(m_strModulePath));
    CReopenDlg dlg;
    m_pMainWnd = &dlg;
    settings.Load(dlg);
    bool saveFailed = dlg.DoModal() == IDOK && !settings.Save(dlg);
    if (saveFailed) {
        std::wstring text = AfxLoadString(IDS_SETTINGS_NOT_SAVED) + settings.Path();
        AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
    }
    m_pMainWnd = nullptr;
    guard.Unlock();
    return FALSE;
}

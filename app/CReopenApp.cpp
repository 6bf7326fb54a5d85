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

BOOL CReopenApp::InitInstance()
{
    if (!AfxOleInit()) {
        AfxMessageBox(IDS_FATAL_OLE_INIT);
        return FALSE;
    }
    CMutex guard(FALSE, kMutexName);
    if (!guard.Lock(0))
        return FALSE;

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

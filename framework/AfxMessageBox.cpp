#include "AfxMessageBox.h"
#include "ResourceLanguage.h"
#include "CWinApp.h"
#include "CWnd.h"

std::wstring AfxLoadString(UINT nID)
{
    return ResourceLanguage::String(AfxGetResourceHandle(), nID);
}

int AfxMessageBox(LPCWSTR lpszText, UINT nType, UINT)
{
    if ((nType & MB_ICONMASK) == 0)
        nType |= MB_ICONEXCLAMATION;
    HWND owner = nullptr;
    if (CWnd* main = AfxGetMainWnd()) {
        if (main->m_hWnd && IsWindow(main->m_hWnd))
            owner = GetLastActivePopup(main->m_hWnd);
    }
    CWinApp* app = AfxGetApp();
    const wchar_t* caption = app ? app->m_strAppName.c_str() : L"";
    return MessageBoxW(owner, lpszText, caption, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    std::wstring text = AfxLoadString(nIDPrompt);
    return AfxMessageBox(text.c_str(), nType, nIDHelp);
}

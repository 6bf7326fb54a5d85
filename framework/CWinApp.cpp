#include "CWinApp.h"
#include <commctrl.h>
#include <mbctype.h>
#include <ole2.h>
#include <vector>

namespace {
CWinApp* g_app = nullptr;

std::wstring ModulePath(HINSTANCE hInstance)
{
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(hInstance, buf.data(), static_cast<DWORD>(buf.size()));
        if (n < buf.size())
            return std::wstring(buf.data(), n);
        buf.resize(buf.size() * 2);
    }
}
}

CWinApp::CWinApp(LPCWSTR lpszAppName)
{
    if (lpszAppName)
        m_strAppName = lpszAppName;
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

void CWinApp::InitApplicationPaths(HINSTANCE hInstance)
{
    m_hInstance = hInstance;
    std::wstring path = ModulePath(hInstance);
    size_t slash = path.find_last_of(L"\\/");
    size_t nameStart = slash == std::wstring::npos ? 0 : slash + 1;
    size_t dot = path.find_last_of(L'.');
    bool hasExt = dot != std::wstring::npos && dot >= nameStart;
    if (m_strAppName.empty())
        m_strAppName = path.substr(nameStart, hasExt ? dot - nameStart : std::wstring::npos);
    m_strModulePath = path;
}

void CWinApp::BeginWaitCursor()
{
    ++m_nWaitCursorCount;
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

void CWinApp::EndWaitCursor()
{
    if (m_nWaitCursorCount > 0 && --m_nWaitCursorCount == 0)
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));  // the next move shows the window's own
}

CWinApp* AfxGetApp() { return g_app; }

CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }

HINSTANCE AfxGetResourceHandle() { return GetModuleHandleW(nullptr); }

BOOL AfxOleInit()
{
    if (FAILED(OleInitialize(nullptr)))
        return FALSE;
    if (g_app)
        g_app->m_bOleInitialized = true;
    return TRUE;
}

int AfxWinMain(HINSTANCE hInstance)
{
    // The multibyte routines follow the system's ANSI code page.
    _setmbcp(_MB_CP_ANSI);
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES };
    InitCommonControlsEx(&icc);
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    app->InitApplicationPaths(hInstance);
    int code = 0;
    if (!app->InitInstance())
        code = app->ExitInstance();
    if (app->m_bOleInitialized)
        OleUninitialize();
    return code;
}

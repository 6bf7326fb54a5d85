// The application object: one global instance whose InitInstance runs the program.
#pragma once
#include <windows.h>
#include <string>

class CWnd;

class CWinApp {
public:
    explicit CWinApp(LPCWSTR lpszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // Fills the instance handle, the application name (the executable's name without
    // extension unless the constructor named one) and the executable's full path.
    void InitApplicationPaths(HINSTANCE hInstance);

    // The wait cursor shows over the program's windows while the count is above zero.
    void BeginWaitCursor();
    void EndWaitCursor();
    int m_nWaitCursorCount = 0;

    HINSTANCE m_hInstance = nullptr;
    std::wstring m_strAppName;
    std::wstring m_strModulePath;
    CWnd* m_pMainWnd = nullptr;
    bool m_bOleInitialized = false;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetResourceHandle();
// Initialises OLE for the user-interface thread; undone when the program ends.
BOOL AfxOleInit();
int AfxWinMain(HINSTANCE hInstance);

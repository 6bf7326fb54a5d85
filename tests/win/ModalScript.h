// Runs a modal dialog of this process while a script works it from another thread, as the
// user would; and answers the message boxes it raises.
#pragma once
#include "../../framework/CDialog.h"
#include "../../framework/CWinApp.h"
#include <functional>
#include <string>

// The dialog runs here; once a window with controlId shows, the script runs on a second
// thread with it. The dialog is cancelled afterwards if the script left it open.
INT_PTR RunScripted(CDialog& dlg, int controlId, const std::function<void(HWND)>& script);

// Closes the message box that the last posted action raises (owned by `owner`) and returns
// its text; checks the caption (the application name) and that it shows an icon.
std::wstring AnswerMessageBox(HWND owner);

// The window is the application's main window while the scope lasts, as the main dialog is
// during the program's run: nested dialogs and message boxes are owned by it.
class MainWindowScope {
public:
    explicit MainWindowScope(CWnd* wnd) { AfxGetApp()->m_pMainWnd = wnd; }
    ~MainWindowScope() { AfxGetApp()->m_pMainWnd = nullptr; }
    MainWindowScope(const MainWindowScope&) = delete;
    MainWindowScope& operator=(const MainWindowScope&) = delete;
};

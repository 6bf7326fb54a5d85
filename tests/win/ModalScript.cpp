#include "ModalScript.h"
#include "WinDriver.h"
#include "../../framework/CWinApp.h"
#include <gtest/gtest.h>
#include <thread>

using namespace WinDriver;

INT_PTR RunScripted(CDialog& dlg, int controlId, const std::function<void(HWND)>& script)
{
    std::thread driver([&] {
        HWND wnd = WaitDialogWithControl(GetCurrentProcessId(), controlId, 10000);
        if (!wnd) {
            ADD_FAILURE() << "dialog did not appear";
            return;
        }
        Settle(wnd);
        script(wnd);
        if (IsWindow(wnd))
            PostMessageW(wnd, WM_COMMAND, IDCANCEL, 0);
    });
    INT_PTR result = dlg.DoModal();
    driver.join();
    return result;
}

std::wstring AnswerMessageBox(HWND owner)
{
    HWND mb = WaitMessageBox(GetCurrentProcessId(), 10000);
    if (!mb)
        return L"(no message box)";
    std::wstring text = MessageBoxText(mb);
    EXPECT_EQ(AfxGetApp()->m_strAppName, Text(mb)) << "caption is the application name";
    EXPECT_EQ(owner, GetWindow(mb, GW_OWNER));
    EXPECT_NE(nullptr, GetDlgItem(mb, 0x440)) << "an icon is always shown";
    PostClick(mb, IDOK);
    WaitFor([&] { return !IsWindow(mb); }, 5000);
    Settle(owner);
    return text;
}

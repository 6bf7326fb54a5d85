// The hot icon on the program's main dialog template, in this process: click, hand cursor,
// hovering with the capture.
#include "ModalScript.h"
#include "WinDriver.h"
#include "../../controls/CHotIcon.h"
#include "../../framework/CDataExchange.h"
#include "../../res/resource.h"
#include <gtest/gtest.h>
#include <functional>

using namespace WinDriver;

namespace {

// The main dialog's template with only its icon taken over; the readme button runs a check
// inside the dialog's own thread.
class IconDlg : public CDialog {
public:
    IconDlg() : CDialog(IDD_BACKTRACKER_DIALOG) {}

    CHotIcon icon;
    int iconClicks = 0;
    std::function<void()> onButton;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_HOT_ICON, icon); }
    void OnIcon() { ++iconClicks; }
    void OnButton()
    {
        if (onButton)
            onButton();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(IconDlg, CDialog)
    ON_STN_CLICKED(IDC_HOT_ICON, OnIcon)
    ON_BN_CLICKED(IDC_README, OnButton)
END_MESSAGE_MAP()

TEST(HotIcon, ReportsClicksShowsTheHandCursorAndTracksHovering)
{
    IconDlg dlg;
    HWND iconWnd = nullptr;
    LRESULT setCursorResult = 0;
    HCURSOR shown = nullptr;
    dlg.onButton = [&] {
        setCursorResult = SendMessageW(iconWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(iconWnd),
                                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        shown = GetCursor();
    };
    RunScripted(dlg, IDC_README, [&](HWND wnd) {
        iconWnd = GetDlgItem(wnd, IDC_HOT_ICON);
        EXPECT_TRUE(GetWindowLongW(iconWnd, GWL_STYLE) & SS_NOTIFY);
        ClickStatic(wnd, IDC_HOT_ICON);
        EXPECT_EQ(1, dlg.iconClicks);

        Click(wnd, IDC_README);
        ASSERT_NE(nullptr, dlg.icon.GetHoverCursorHandle()) << "a hand cursor, the system's where the help viewer's is missing";
        EXPECT_EQ(TRUE, setCursorResult);
        EXPECT_EQ(dlg.icon.GetHoverCursorHandle(), shown);

        PostMessageW(iconWnd, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        Settle(wnd);
        EXPECT_EQ(iconWnd, CaptureOf(wnd)) << "hovering takes the capture";
        PostMessageW(iconWnd, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
        Settle(wnd);
        EXPECT_EQ(iconWnd, CaptureOf(wnd));
        PostMessageW(iconWnd, WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(-5), 300));
        Settle(wnd);
        EXPECT_EQ(nullptr, CaptureOf(wnd)) << "leaving releases it";
    });
}
}

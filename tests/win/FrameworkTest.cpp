// The framework's plumbing in this process: message maps and their order, reflection,
// data exchange order, the exception guard, modal ownership and centring.
#include "ModalScript.h"
#include "WinDriver.h"
#include "framework_tests_ids.h"
#include "../../framework/AfxMessageBox.h"
#include "../../framework/CDataExchange.h"
#include "../../framework/CDialog.h"
#include "../../framework/CStatic.h"
#include "../../framework/CWinApp.h"
#include "../../framework/FrameworkIds.h"
#include <gtest/gtest.h>
#include <functional>
#include <new>

using namespace WinDriver;

namespace {

CWinApp testApp(L"FrameworkTests");

// A static that handles its own click; the parent never hears of it.
class ReflectingStatic : public CStatic {
public:
    int clicks = 0;
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    ~ReflectingStatic() override { DeleteObject(brush); }

protected:
    void OnClicked() { ++clicks; }
    HBRUSH CtlColor(HDC, UINT) { return brush; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingStatic, CStatic)
    ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

// A static that looks at its click and passes it on to the parent.
class PassingStatic : public CStatic {
public:
    int clicks = 0;

protected:
    BOOL OnClicked()
    {
        ++clicks;
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PassingStatic, CStatic)
    ON_CONTROL_REFLECT_EX(STN_CLICKED, OnClicked)
END_MESSAGE_MAP()

class TestDlg : public CDialog {
public:
    explicit TestDlg(UINT id = IDD_CENTRED) : CDialog(id) {}

    ReflectingStatic reflecting;
    PassingStatic passing;
    int a = 0, b = 0;
    UINT number = 5;
    int okClicks = 0, buttonClicks = 0, parentStaticClicks = 0;
    std::function<void()> onButton;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (m_nIDTemplate != IDD_CENTRED)
            return;
        DDX_Control(pDX, IDC_REFLECTED, reflecting);
        DDX_Control(pDX, IDC_PASSED_ON, passing);
        DDX_Check(pDX, IDC_CHECK_A, a);
        DDX_Text(pDX, IDC_NUMBER, number);
        DDV_MinMaxUInt(pDX, number, 1, 16);
        DDX_Check(pDX, IDC_CHECK_B, b);
    }
    void OnMyOK() { ++okClicks; }
    void OnButton()
    {
        ++buttonClicks;
        if (onButton)
            onButton();
    }
    void OnThrowOom() { throw std::bad_alloc(); }
    void OnThrowOther() { throw 42; }
    void OnParentStatic() { ++parentStaticClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestDlg, CDialog)
    ON_COMMAND(IDOK, OnMyOK)
    ON_BN_CLICKED(IDC_BUTTON, OnButton)
    ON_BN_CLICKED(IDC_THROW_OOM, OnThrowOom)
    ON_BN_CLICKED(IDC_THROW_OTHER, OnThrowOther)
    ON_STN_CLICKED(IDC_REFLECTED, OnParentStatic)
    ON_STN_CLICKED(IDC_PASSED_ON, OnParentStatic)
END_MESSAGE_MAP()

const DWORD kPid = GetCurrentProcessId();

TEST(MessageMap, DerivedEntriesComeBeforeTheBaseClasses)
{
    TestDlg dlg;
    INT_PTR result = RunScripted(dlg, IDC_BUTTON, [&](HWND wnd) {
        Click(wnd, IDOK);  // the dialog's own entry hides CDialog's OnOK
        Click(wnd, IDC_BUTTON);
        EXPECT_TRUE(IsWindow(wnd));
        Click(wnd, IDCANCEL);  // not in the dialog's map: CDialog's OnCancel
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(1, dlg.okClicks);
    EXPECT_EQ(1, dlg.buttonClicks);
}

TEST(MessageMap, NotificationsAndColoursAreReflectedToTheChild)
{
    TestDlg dlg;
    RunScripted(dlg, IDC_BUTTON, [&](HWND wnd) {
        ClickStatic(wnd, IDC_REFLECTED);
        EXPECT_EQ(1, dlg.reflecting.clicks);
        EXPECT_EQ(0, dlg.parentStaticClicks) << "a reflected notification stays with the child";
        ClickStatic(wnd, IDC_PASSED_ON);
        EXPECT_EQ(1, dlg.passing.clicks);
        EXPECT_EQ(1, dlg.parentStaticClicks) << "a child that declines passes it on";
        HDC dc = GetDC(wnd);
        LRESULT brush = SendMessageW(wnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(GetDlgItem(wnd, IDC_REFLECTED)));
        EXPECT_EQ(reinterpret_cast<LRESULT>(dlg.reflecting.brush), brush);
        ReleaseDC(wnd, dc);
    });
}

TEST(DataExchange, FailedValidationStopsInDeclarationOrderAndRefocuses)
{
    TestDlg dlg;
    MainWindowScope main(&dlg);
    dlg.a = 7;  // any non-zero flag shows as ticked
    BOOL updated = -1;
    dlg.onButton = [&] { updated = dlg.UpdateData(TRUE); };
    RunScripted(dlg, IDC_BUTTON, [&](HWND wnd) {
        EXPECT_TRUE(IsChecked(wnd, IDC_CHECK_A));
        EXPECT_EQ(L"5", ItemText(wnd, IDC_NUMBER));
        SendDlgItemMessageW(wnd, IDC_CHECK_A, BM_SETCHECK, BST_UNCHECKED, 0);
        SendDlgItemMessageW(wnd, IDC_CHECK_B, BM_SETCHECK, BST_CHECKED, 0);
        SetDlgItemTextW(wnd, IDC_NUMBER, L"17");
        PostClick(wnd, IDC_BUTTON);
        EXPECT_EQ(L"1 から 16 までの整数を入力してください。", AnswerMessageBox(wnd));
        EXPECT_EQ(GetDlgItem(wnd, IDC_NUMBER), FocusOf(wnd));
        DWORD start = 9, end = 9;
        SendDlgItemMessageW(wnd, IDC_NUMBER, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(0u, start);
        EXPECT_EQ(2u, end) << "the text is selected";

        SetDlgItemTextW(wnd, IDC_NUMBER, L"x");
        PostClick(wnd, IDC_BUTTON);
        EXPECT_EQ(L"整数を入力してください。", AnswerMessageBox(wnd));
    });
    EXPECT_FALSE(updated);
    EXPECT_EQ(0, dlg.a) << "exchanged before the count";
    EXPECT_EQ(0, dlg.b) << "never reached";
    EXPECT_EQ(17u, dlg.number) << "stored by the exchange before the range check refused it";
}

TEST(Guard, ExceptionsFromHandlersAreReportedAndTheDialogKeepsRunning)
{
    TestDlg dlg;
    MainWindowScope main(&dlg);
    const struct { int button; UINT message; } cases[] = {
        { IDC_THROW_OOM, AFX_IDP_OUT_OF_MEMORY },
        { IDC_THROW_OTHER, AFX_IDP_INTERNAL_FAILURE },
    };
    RunScripted(dlg, IDC_BUTTON, [&](HWND wnd) {
        for (const auto& c : cases) {
            PostClick(wnd, c.button);
            EXPECT_EQ(AfxLoadString(c.message), AnswerMessageBox(wnd));
            int before = dlg.buttonClicks;
            Click(wnd, IDC_BUTTON);
            EXPECT_EQ(before + 1, dlg.buttonClicks) << "the dialog still works";
        }
    });
    EXPECT_FALSE(AfxLoadString(AFX_IDP_OUT_OF_MEMORY).empty());
}

TEST(ModalDialog, TemplatesAtOriginAreCentredAndNestedOnesOwnedByTheMainWindow)
{
    TestDlg dlg;
    MainWindowScope main(&dlg);
    INT_PTR nestedResult = 0;
    dlg.onButton = [&] {
        CDialog nested(IDD_NESTED);
        nestedResult = nested.DoModal();
    };
    RunScripted(dlg, IDC_BUTTON, [&](HWND wnd) {
        RECT work, rc;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        GetWindowRect(wnd, &rc);
        EXPECT_NEAR((work.left + work.right) / 2, (rc.left + rc.right) / 2, 2);
        EXPECT_NEAR((work.top + work.bottom) / 2, (rc.top + rc.bottom) / 2, 2);

        PostClick(wnd, IDC_BUTTON);
        HWND nested = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (nested = FindWindowW(L"#32770", L"入れ子")) != nullptr; }, 10000));
        Settle(nested);
        EXPECT_EQ(wnd, GetWindow(nested, GW_OWNER));
        EXPECT_FALSE(IsWindowEnabled(wnd));
        RECT inner;
        GetWindowRect(nested, &inner);
        EXPECT_NEAR((rc.left + rc.right) / 2, (inner.left + inner.right) / 2, 2);
        EXPECT_NEAR((rc.top + rc.bottom) / 2, (inner.top + inner.bottom) / 2, 2);
        PostClick(nested, IDOK);
        WaitFor([&] { return !IsWindow(nested); }, 5000);
        Settle(wnd);
        EXPECT_TRUE(IsWindowEnabled(wnd));
    });
    EXPECT_EQ(IDOK, nestedResult);
}

TEST(ModalDialog, PlacedTemplateKeepsItsPosition)
{
    CDialog placed(IDD_PLACED);
    RunScripted(placed, IDOK, [&](HWND wnd) {
        RECT rc;
        GetWindowRect(wnd, &rc);
        EXPECT_LT(rc.left, 60);
        EXPECT_LT(rc.top, 60);
    });
}


}

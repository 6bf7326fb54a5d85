#include "CVersionDlg.h"
#include "../text/AnsiText.h"
#include "../framework/CDataExchange.h"

BEGIN_MESSAGE_MAP(CVersionDlg, CDialog)
END_MESSAGE_MAP()

namespace {
// A plain text of the template that the system's font draws wider than its box (the box was
// made for "ＭＳ Ｐゴシック") is widened to its text, so that nothing is cut off; it is never
// made narrower, and the links fit themselves.
BOOL CALLBACK WidenStaticText(HWND child, LPARAM)
{
    wchar_t cls[16] = {};
    GetClassNameW(child, cls, 16);
    LONG style = GetWindowLongW(child, GWL_STYLE);
    if (lstrcmpiW(cls, L"Static") != 0 || (GetDlgCtrlID(child) & 0xFFFF) != 0xFFFF || (style & SS_TYPEMASK) != SS_LEFT)
        return TRUE;
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
    SIZE extent = CWnd::TextExtentOf(child, font, CWnd::WindowTextOf(child));
    RECT rc;
    GetClientRect(child, &rc);
    if (extent.cx > rc.right)
        SetWindowPos(child, nullptr, 0, 0, extent.cx, rc.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}
}

CVersionDlg::CVersionDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

void CVersionDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WEB_LINK, m_webLink);
    DDX_Control(pDX, IDC_MAIL_LINK, m_mailLink);
}

// The targets are what the labels show (the template holds the address and the page), the
// e-mail one behind "mailto:"; every opening starts unvisited and without underline.
BOOL CVersionDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_mailLink.SetTarget("mailto:" + AnsiText::FromWide(m_mailLink.GetWindowText()));
    m_mailLink.MarkVisited(FALSE);
    m_mailLink.SetUnderlined(FALSE);
    m_webLink.SetTarget(AnsiText::FromWide(m_webLink.GetWindowText()));
    m_webLink.MarkVisited(FALSE);
    m_webLink.SetUnderlined(FALSE);
    EnumChildWindows(m_hWnd, WidenStaticText, 0);
    return TRUE;
}

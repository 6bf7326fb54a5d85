#include "CVersionDlg.h"
#include "../text/AnsiText.h"
#include "../framework/CDataExchange.h"

BEGIN_MESSAGE_MAP(CVersionDlg, CDialog)
END_MESSAGE_MAP()

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
    WidenStaticTexts();
    return TRUE;
}

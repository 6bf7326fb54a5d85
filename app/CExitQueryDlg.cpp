#include "CExitQueryDlg.h"
#include "ClosePolicy.h"
#include "../framework/CDataExchange.h"

BEGIN_MESSAGE_MAP(CExitQueryDlg, CDialog)
    ON_BN_CLICKED(IDC_SAVE_AND_CLOSE, OnSaveAndClose)
    ON_BN_CLICKED(IDC_CLOSE_WITHOUT_SAVING, OnCloseWithoutSaving)
END_MESSAGE_MAP()

CExitQueryDlg::CExitQueryDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

void CExitQueryDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_NO_MORE_QUERY, m_bNoMoreQuery);
}

void CExitQueryDlg::OnSaveAndClose()
{
    UpdateData(TRUE);
    EndDialog(ClosePolicy::SAVE_AND_CLOSE);
}

void CExitQueryDlg::OnCloseWithoutSaving()
{
    UpdateData(TRUE);
    EndDialog(ClosePolicy::CLOSE_WITHOUT_SAVING);
}

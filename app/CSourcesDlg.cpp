#include "CSourcesDlg.h"
#include "../framework/AfxMessageBox.h"
#include "../framework/CDataExchange.h"

BEGIN_MESSAGE_MAP(CSourcesDlg, CDialog)
END_MESSAGE_MAP()

CSourcesDlg::CSourcesDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

void CSourcesDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_SOURCE_INTERNET_EXPLORER, m_bUseInternetExplorer);
    DDX_Check(pDX, IDC_SOURCE_EDGE, m_bUseEdge);
    DDX_Check(pDX, IDC_SOURCE_CHROME, m_bUseChrome);
    DDX_Check(pDX, IDC_SOURCE_FIREFOX, m_bUseFirefox);
}

// Each browser's box says how many profiles it has, or that none was found (then it cannot
// be changed; its setting stays as it is).
BOOL CSourcesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const struct { int id; int profiles; } boxes[] = {
        { IDC_SOURCE_EDGE, m_nEdgeProfiles },
        { IDC_SOURCE_CHROME, m_nChromeProfiles },
        { IDC_SOURCE_FIREFOX, m_nFirefoxProfiles },
    };
    for (const auto& box : boxes) {
        HWND wnd = GetDlgItem(box.id);
        std::wstring text = WindowTextOf(wnd);
        if (box.profiles > 0) {
            std::wstring count = AfxLoadString(IDS_SOURCE_PROFILES);
            size_t at = count.find(L"%d");
            if (at != std::wstring::npos)
                count.replace(at, 2, std::to_wstring(box.profiles));
            text += count;
        } else {
            text += AfxLoadString(IDS_SOURCE_NOT_FOUND);
            EnableWindow(wnd, FALSE);
        }
        SetWindowTextW(wnd, text.c_str());
    }
    return TRUE;
}

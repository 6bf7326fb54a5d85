#include "CSourcesDlg.h"
#include "../framework/AfxMessageBox.h"
#include "../framework/CDataExchange.h"
#include <cstring>

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

// Each browser's box names it and says how many profiles it has, or that none was found (then
// it cannot be changed; its setting stays as it is).
BOOL CSourcesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const struct { int id; const char* key; } boxes[] = {
        { IDC_SOURCE_EDGE, "Edge" },
        { IDC_SOURCE_CHROME, "Chrome" },
        { IDC_SOURCE_FIREFOX, "Firefox" },
    };
    for (const auto& box : boxes) {
        HWND wnd = GetDlgItem(box.id);
        std::wstring text = WindowTextOf(wnd);
        int profiles = 0;
        for (const ReopenCommand::BrowserProfiles& found : m_browsers) {
            if (!strcmp(found.key, box.key)) {
                text = found.displayName;
                profiles = found.count;
            }
        }
        if (profiles > 0) {
            std::wstring count = AfxLoadString(IDS_SOURCE_PROFILES);
            size_t at = count.find(L"%d");
            if (at != std::wstring::npos)
                count.replace(at, 2, std::to_wstring(profiles));
            text += count;
        } else {
            text += AfxLoadString(IDS_SOURCE_NOT_FOUND);
            EnableWindow(wnd, FALSE);
        }
        SetWindowTextW(wnd, text.c_str());
    }
    return TRUE;
}

#include "CSourcesDlg.h"
#include "../framework/AfxMessageBox.h"
#include "../framework/CDataExchange.h"
#include "../framework/NumberText.h"
#include "../text/TitleText.h"
#include <commctrl.h>

BEGIN_MESSAGE_MAP(CSourcesDlg, CDialog)
END_MESSAGE_MAP()

CSourcesDlg::CSourcesDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

std::wstring CSourcesDlg::UnreadText(const CBrowserSources::Unread& unread)
{
    static const UINT kTexts[] = { 0, IDS_UNREAD_MISSING, IDS_UNREAD_EMPTY, IDS_UNREAD_LOCKED, IDS_UNREAD_DAMAGED,
                                   IDS_UNREAD_UNKNOWN_SCHEMA, IDS_UNREAD_TOO_SLOW };
    static_assert(sizeof kTexts / sizeof kTexts[0] == HistoryReadResult::TooSlow + 1, "a text for every reason");
    return TitleText::Into(AfxLoadString(kTexts[unread.why]), unread.profileName);
}

void CSourcesDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_SOURCE_TABS, m_bTabs);
}

BOOL CSourcesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    WidenStaticTexts();
    m_list.SubclassDlgItem(IDC_SOURCE_LIST, this);
    m_list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
    RECT client;
    m_list.GetClientRect(&client);
    m_list.InsertColumn(0, L"", LVCFMT_LEFT, client.right - GetSystemMetrics(SM_CXVSCROLL));
    const auto add = [this](const std::string& key, const std::wstring& text) {
        int item = m_list.InsertItem(static_cast<int>(m_keys.size()), text, 0);
        auto setting = m_sources.find(key);
        m_list.SetCheck(item, setting == m_sources.end() || setting->second != 0);
        m_keys.push_back(key);
    };
    add(ReopenOptions::kUrlCacheKey, AfxLoadString(IDS_SOURCE_URL_CACHE));
    for (const ReopenCommand::BrowserProfiles& found : m_browsers) {
        if (found.count == 0)
            continue;
        std::wstring text = found.displayName +
                            NumberText::FillIn(AfxLoadString(found.programFound ? IDS_SOURCE_PROFILES : IDS_SOURCE_NO_PROGRAM),
                                               { found.count });
        for (const CBrowserSources::Unread& unread : found.unread)
            text += AfxLoadString(IDS_UNREAD_SEPARATOR) + UnreadText(unread);
        add(found.key, text);
    }
    return TRUE;
}

// The ticks become the settings; with none, the user is asked for one.
void CSourcesDlg::OnOK()
{
    bool any = false;
    for (size_t i = 0; i < m_keys.size(); ++i)
        any = any || m_list.GetCheck(static_cast<int>(i));
    if (!any) {
        AfxMessageBox(IDS_SOURCE_NONE_CHOSEN, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!UpdateData(TRUE))
        return;
    for (size_t i = 0; i < m_keys.size(); ++i)
        m_sources[m_keys[i]] = m_list.GetCheck(static_cast<int>(i)) ? 1 : 0;
    EndDialog(IDOK);
}

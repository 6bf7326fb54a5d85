#include "CSourcesDlg.h"
#include "../framework/AfxMessageBox.h"
#include "../framework/CDataExchange.h"
#include "../framework/NumberText.h"
#include "../text/TitleText.h"
#include <commctrl.h>
#include <algorithm>

namespace {
constexpr UINT WM_SOURCES_CHECKED = WM_APP + 1;
}

BEGIN_MESSAGE_MAP(CSourcesDlg, CDialog)
    ON_MESSAGE(WM_SOURCES_CHECKED, OnChecked)
END_MESSAGE_MAP()

CSourcesDlg::CSourcesDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

CSourcesDlg::~CSourcesDlg() { m_reading.Stop(); }

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

std::wstring CSourcesDlg::RowText(const ReopenCommand::BrowserProfiles& found) const
{
    std::wstring text = found.displayName +
                        NumberText::FillIn(AfxLoadString(found.programFound ? IDS_SOURCE_PROFILES : IDS_SOURCE_NO_PROGRAM),
                                           { found.count });
    for (const CBrowserSources::Unread& unread : found.unread)
        text += AfxLoadString(IDS_UNREAD_SEPARATOR) + UnreadText(unread);
    return text;
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
        return item;
    };
    add(ReopenOptions::kUrlCacheKey, AfxLoadString(IDS_SOURCE_URL_CACHE));
    for (size_t b = 0; b < m_browsers.size(); ++b) {
        if (m_browsers[b].count > 0)
            m_rowOf[b] = add(m_browsers[b].key, RowText(m_browsers[b]));
    }
    FitColumn();
    // The histories are read meanwhile; each profile that gives no page is added to its row.
    const HWND self = m_hWnd;
    const std::vector<BrowserProfile> found = m_found;
    m_reading.Start(self, WM_SOURCES_CHECKED, [this, self, found](const std::atomic<bool>& stop) {
        ReopenCommand::CheckProfiles(found, [&](size_t browser, const CBrowserSources::Unread* unread) {
            if (!unread)
                return;
            {
                CCriticalSection::Holder hold(m_lock);
                m_checked.emplace_back(browser, *unread);
            }
            PostMessageW(self, WM_SOURCES_CHECKED, 0, 0);
        }, &stop);
    });
    return TRUE;
}

// The reasons found since, each in its browser's row.
LRESULT CSourcesDlg::OnChecked(WPARAM, LPARAM)
{
    std::vector<std::pair<size_t, CBrowserSources::Unread>> checked;
    {
        CCriticalSection::Holder hold(m_lock);
        checked.swap(m_checked);
    }
    for (const auto& entry : checked) {
        if (entry.first >= m_browsers.size() || !m_rowOf.count(entry.first))
            continue;
        m_browsers[entry.first].unread.push_back(entry.second);
        m_list.SetItemText(m_rowOf[entry.first], 0, RowText(m_browsers[entry.first]));
    }
    if (!checked.empty())
        FitColumn();
    return 0;
}

// The column as wide as its longest row, so that every reason can be read (scrolled to).
void CSourcesDlg::FitColumn()
{
    RECT client;
    m_list.GetClientRect(&client);
    int widest = client.right - GetSystemMetrics(SM_CXVSCROLL);
    for (const auto& row : m_rowOf)
        widest = std::max(widest, m_list.GetStringWidth(RowText(m_browsers[row.first])) + 40);
    m_list.SetColumnWidth(0, widest);
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
    m_reading.Stop();
    EndDialog(IDOK);
}

void CSourcesDlg::OnCancel()
{
    m_reading.Stop();
    EndDialog(IDCANCEL);
}

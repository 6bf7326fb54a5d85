// Which histories the reopen command reads: a check list of the URL cache (Internet Explorer)
// and every browser of today whose profiles were found, each with how many, a mark when its
// program is not there to open their pages, and each profile whose history gives no page, with
// why. It shows at once: the histories are read on a thread of its own and the reasons come in
// as they are found. The settings of browsers not found stay as they are. At least one source
// must stay ticked.
#pragma once
#include "../framework/CBackgroundTask.h"
#include "../framework/CCriticalSection.h"
#include "../framework/CDialog.h"
#include "../framework/CListCtrl.h"
#include "../reopen/ReopenCommand.h"
#include "../res/resource.h"
#include <map>
#include <string>
#include <utility>
#include <vector>

class CSourcesDlg : public CDialog {
public:
    enum { IDD = IDD_SOURCES };

    explicit CSourcesDlg(CWnd* pParent = nullptr);
    ~CSourcesDlg() override;

    // Each source's setting by its key ([BROWSERS]); read before the dialog runs, changed by OK.
    std::map<std::string, int> m_sources;
    // Each browser profile's pages as tabs of one new window.
    int m_bTabs = 0;
    // The browsers with their names and the profiles found (ReopenCommand::FindProfiles), set
    // before the dialog runs; the profiles' histories are read while it shows.
    std::vector<ReopenCommand::BrowserProfiles> m_browsers;
    std::vector<BrowserProfile> m_found;

    // Why a profile gave no page, as the user reads it: 「name」 and the reason.
    static std::wstring UnreadText(const CBrowserSources::Unread& unread);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    LRESULT OnChecked(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    std::wstring RowText(const ReopenCommand::BrowserProfiles& found) const;
    void FitColumn();

    CListCtrl m_list;
    std::vector<std::string> m_keys;  // the list's rows' sources
    std::map<size_t, int> m_rowOf;    // each browser's row (by its index in m_browsers)
    CCriticalSection m_lock;          // guards m_checked, which the reading fills
    std::vector<std::pair<size_t, CBrowserSources::Unread>> m_checked;
    CBackgroundTask m_reading;        // last: stopped before anything it fills goes
};

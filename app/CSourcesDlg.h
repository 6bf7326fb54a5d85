// Which histories the reopen command reads: a check list of the URL cache (Internet Explorer)
// and every browser of today whose profiles were found, each with how many, a mark when its
// program is not there to open their pages, and each profile whose history gives no page, with
// why. The settings of browsers not found stay as they
// are. At least one source must stay ticked.
#pragma once
#include "../framework/CDialog.h"
#include "../framework/CListCtrl.h"
#include "../reopen/ReopenCommand.h"
#include "../res/resource.h"
#include <map>
#include <string>
#include <vector>

class CSourcesDlg : public CDialog {
public:
    enum { IDD = IDD_SOURCES };

    explicit CSourcesDlg(CWnd* pParent = nullptr);

    // Each source's setting by its key ([BROWSERS]); read before the dialog runs, changed by OK.
    std::map<std::string, int> m_sources;
    // Each browser profile's pages as tabs of one new window.
    int m_bTabs = 0;
    // The browsers with their names and the profiles found, set before the dialog runs.
    std::vector<ReopenCommand::BrowserProfiles> m_browsers;

    // Why a profile gave no page, as the user reads it: 「name」 and the reason.
    static std::wstring UnreadText(const CBrowserSources::Unread& unread);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    DECLARE_MESSAGE_MAP()

private:
    CListCtrl m_list;
    std::vector<std::string> m_keys;  // the list's rows' sources
};

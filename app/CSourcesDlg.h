// Which histories the reopen command reads: the URL cache (Internet Explorer) and today's
// browsers, each with how many profiles were found; a browser without any is shown disabled.
#pragma once
#include "../framework/CDialog.h"
#include "../reopen/ReopenCommand.h"
#include "../res/resource.h"
#include <vector>

class CSourcesDlg : public CDialog {
public:
    enum { IDD = IDD_SOURCES };

    explicit CSourcesDlg(CWnd* pParent = nullptr);

    int m_bUseInternetExplorer = 1;
    int m_bUseEdge = 1;
    int m_bUseChrome = 1;
    int m_bUseFirefox = 1;
    // The browsers with their names and the profiles found, set before the dialog runs.
    std::vector<ReopenCommand::BrowserProfiles> m_browsers;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()
};

// Which histories the reopen command reads: the URL cache (Internet Explorer) and today's
// browsers, each with how many profiles were found; a browser without any is shown disabled.
#pragma once
#include "../framework/CDialog.h"
#include "../res/resource.h"

class CSourcesDlg : public CDialog {
public:
    enum { IDD = IDD_SOURCES };

    explicit CSourcesDlg(CWnd* pParent = nullptr);

    int m_bUseInternetExplorer = 1;
    int m_bUseEdge = 1;
    int m_bUseChrome = 1;
    int m_bUseFirefox = 1;
    // Profiles found, set before the dialog runs.
    int m_nEdgeProfiles = 0;
    int m_nChromeProfiles = 0;
    int m_nFirefoxProfiles = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()
};

// The version dialog: icon, product and version, copyright, and the author's e-mail address
// and web page as links.
#pragma once
#include "CLinkLabel.h"
#include "../framework/CDialog.h"
#include "../res/resource.h"

class CVersionDlg : public CDialog {
public:
    enum { IDD = IDD_VERSION };

    explicit CVersionDlg(CWnd* pParent = nullptr);

    CLinkLabel m_webLink;
    CLinkLabel m_mailLink;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()
};

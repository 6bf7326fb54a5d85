// The question shown when the main dialog is closed other than by its Close button.
#pragma once
#include "../framework/CDialog.h"
#include "../res/resource.h"

class CExitQueryDlg : public CDialog {
public:
    enum { IDD = IDD_EXIT_QUERY };

    explicit CExitQueryDlg(CWnd* pParent = nullptr);

    int m_bNoMoreQuery = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSaveAndClose();
    void OnCloseWithoutSaving();

    DECLARE_MESSAGE_MAP()
};

// The main dialog: the count of URLs, the filters, and the buttons of the program.
#pragma once
#include "../controls/CHotIcon.h"
#include "../framework/CDialog.h"
#include "../res/resource.h"

class CReopenDlg : public CDialog {
public:
    enum { IDD = IDD_BACKTRACKER_DIALOG };

    explicit CReopenDlg(CWnd* pParent = nullptr);
    ~CReopenDlg() override;

    // The settings, read by start-up before the dialog runs and written after an IDOK end.
    int m_bQueryCancelExitSaving = 1;
    int m_bQueryCancelExit = 1;
    int m_bTargetHttp = 1;
    int m_bDisableAlreadyOpen = 1;
    int m_bCloseAfterExecute = 0;
    UINT m_nOpenNumber = 3;
    CHotIcon m_hotIcon;
    int m_bOnlyMyHistory = 1;
    HICON m_hIcon;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnDeltaPosCountSpin(NMHDR* pNMHDR, LRESULT* pResult);
    void OnUpdateCount();
    void OnReopen();
    void OnReadme();
    void OnVersion();
    void OnIconClicked();

    DECLARE_MESSAGE_MAP()
};

// The main dialog: the count of URLs, the filters, and the buttons of the program.
#pragma once
#include "../controls/CHotIcon.h"
#include "../controls/CSplitButton.h"
#include "../framework/CDialog.h"
#include "../reopen/ReopenOptions.h"
#include "../res/resource.h"
#include <map>
#include <string>

class CReopenDlg : public CDialog {
public:
    enum { IDD = IDD_BACKTRACKER_DIALOG };

    explicit CReopenDlg(CWnd* pParent = nullptr);
    ~CReopenDlg() override;

    // The settings (app/SettingsTable.h): the table's defaults from construction, then read by
    // start-up before the dialog runs and written after an IDOK end.
    int m_bQueryCancelExitSaving;
    int m_bQueryCancelExit;
    int m_bTargetHttp;
    int m_bDisableAlreadyOpen;
    int m_bCloseAfterExecute;
    UINT m_nOpenNumber;
    CHotIcon m_hotIcon;
    CSplitButton m_reopenButton;  // a split button where a browser of today is found
    int m_bOnlyMyHistory;
    HICON m_hIcon;
    // Which histories the reopen command reads: the URL cache, and today's browsers, each by
    // its key in [BROWSERS] (ReopenOptions::SourceKeys).
    std::map<std::string, int> m_sources;
    int m_bTabsInOneWindow;
    // The list of recent pages: how many pages, its place and size, its columns' widths.
    UINT m_nListNumber;
    int m_nListLeft;
    int m_nListTop;
    int m_nListWidth;
    int m_nListHeight;
    int m_nListTitleWidth;
    int m_nListAddressWidth;
    int m_nListSourceWidth;
    int m_nListTimeWidth;
    int m_nListOpenWidth;

    // What the reopen command is asked for, from the values the dialog holds (also for a start
    // that shows no dialog).
    ReopenOptions Options() const;
    // The list of recent pages with these values (with `windows`, in its view of the last
    // windows); where the user leaves it is kept in them.
    void ShowList(bool windows = false);

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
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnSources();
    void OnList();
    void OnWindows();
    void OnReopenMenu(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    bool m_bReopening = false;  // the reopen command is running
};

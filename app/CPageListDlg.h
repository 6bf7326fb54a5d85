// The list of recent pages: the latest pages of every chosen source, to see and choose before
// opening. It shows at once and reads the histories on a thread of its own (closing it stops
// the reading); the pages that "再び表示" would open come checked, the pages open now are
// marked and left unchecked. The checked pages open oldest first, as "再び表示" opens them.
#pragma once
#include "PageTable.h"
#include "../framework/CBackgroundTask.h"
#include "../framework/CDialog.h"
#include "../framework/CListCtrl.h"
#include "../framework/CToolTipCtrl.h"
#include "../reopen/ReopenCommand.h"
#include "../res/resource.h"
#include <vector>

class CPageListDlg : public CDialog {
public:
    enum { IDD = IDD_PAGE_LIST };

    CPageListDlg(const ReopenOptions& options, size_t listCount, CWnd* pParent = nullptr);
    ~CPageListDlg() override;

    // Where and how large the user left it (a width of 0: as made), and the columns' widths
    // (0: their own); read before the dialog runs, and updated when it closes.
    int m_nLeft = 0, m_nTop = 0, m_nWidth = 0, m_nHeight = 0;
    int m_nColumnWidths[PageTable::kColumns] = {};

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void OnSize(UINT type, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    LRESULT OnProgress(WPARAM done, LPARAM total);
    LRESULT OnLoaded(WPARAM, LPARAM);
    LRESULT OnEnterSizeMove(WPARAM, LPARAM);
    LRESULT OnExitSizeMove(WPARAM, LPARAM);
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);
    void OnOpenSelected();
    void OnCopyAddresses();
    void OnCopyTitles();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnFilterChange();
    void OnCheckAll();
    void OnCheckNone();
    void OnCopy();
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    void Fill();
    void ShowChecked();
    void CheckShown(bool checked);
    void OpenRows(const std::vector<size_t>& rows);
    void KeepPlacementAndColumns();
    int DefaultColumnWidth(int column) const;
    int HeadingWidth(int column) const;
    int FittingTitleWidth() const;
    static RECT WorkAreaNear(const RECT& r);
    std::vector<size_t> SelectedRows() const;
    void CopyRows(const std::wstring& text);

    ReopenOptions m_options;
    size_t m_listCount;
    CListCtrl m_list;
    CToolTipCtrl m_unreadTip;  // every profile that gave nothing, as the line may not hold them
    PageTable m_table;
    std::vector<ListedPage> m_pages;   // the rows' pages, in the table's row order
    std::vector<ListedPage> m_loaded;  // written by the reading, taken when it has ended
    std::vector<CBrowserSources::Unread> m_loadedUnread;  // the same: the profiles that gave nothing
    CBackgroundTask m_reading;
    bool m_loading = false;
    bool m_filling = false;  // the list is being filled: its notifications are ours
    bool m_opening = false;
    bool m_userPlaced = false;
    RECT m_beforeSizeMove = {};
    SIZE m_lastClient = {};  // the client size of the last layout
    // The layout as made: the client size, and each control's rectangle in it.
    SIZE m_madeClient = {};
    SIZE m_minTrack = {};
    struct Anchored {
        int id;
        RECT made;
        bool right, bottom, stretchX, stretchY;
    };
    std::vector<Anchored> m_anchored;
};

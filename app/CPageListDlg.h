// The list of recent pages: the latest pages of every chosen source, to see and choose before
// opening. It shows at once and reads the histories on a thread of its own (closing it stops
// the reading); the pages that "再び表示" would open come checked, the pages open now are
// marked and left unchecked. The checked pages open oldest first, as "再び表示" opens them.
// Its second view shows the last windows of every chosen browser profile, one group a window
// (on a list view without groups, such as Wine's, a heading row a window), its tabs as rows:
// those of windows neither open now nor restored by their browser by itself come checked, and
// each window with a checked tab opens as one new window of its browser and profile. Each view
// is read when it is first shown.
#pragma once
#include "PageTable.h"
#include "../framework/CBackgroundTask.h"
#include "../framework/CDialog.h"
#include "../framework/CListCtrl.h"
#include "../framework/CToolTipCtrl.h"
#include "../reopen/ReopenCommand.h"
#include "../res/resource.h"
#include <atomic>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

class CPageListDlg : public CDialog {
public:
    enum { IDD = IDD_PAGE_LIST };

    CPageListDlg(const ReopenOptions& options, size_t listCount, bool windows = false, CWnd* pParent = nullptr);
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
    void OnPeriodChange();
    LRESULT OnTimer(WPARAM id, LPARAM);
    LRESULT OnSearchProgress(WPARAM done, LPARAM total);
    LRESULT OnSearchDone(WPARAM, LPARAM);
    LRESULT OnIconsDone(WPARAM, LPARAM);
    void OnCheckAll();
    void OnCheckNone();
    void OnCopy();
    void OnSave();
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    void OnViewPages();
    void OnViewWindows();

    DECLARE_MESSAGE_MAP()

private:
    PageTable& Table() { return m_windowsView ? m_windowTable : m_table; }
    const PageTable& Table() const { return m_windowsView ? m_windowTable : m_table; }
    void ShowView(bool windows);
    void StartReading();
    void ShowLoaded();
    // The recent view's filter: the rows narrowed at once, and the whole history searched a
    // moment after the last key (the loaded rows back when it holds no word).
    void ApplyFilter();
    void StartSearch();
    std::wstring FilterText() const;
    std::wstring SearchKey() const;
    void SetTableFilter();
    void SetUnreadLine(const std::wstring& text);
    static std::wstring UnreadLine(const std::vector<CBrowserSources::Unread>& unread);
    void StopSearch();
    void StopSearches();
    int64_t PeriodStartUs() const;
    // The recent view's rows become `pages`; a row in both keeps its check.
    void ShowPages(std::vector<ListedPage> pages, bool found);
    // Site icons: asked for the sites of the rows that have none yet, on a thread of their own
    // once the rows are shown; each site once a run (0: the page icon).
    void StartIcons();
    void StopIcons();
    int ImageOf(size_t row) const;
    // The row's address and where its profile keeps its site icons (empty: the URL cache's).
    std::pair<std::string, std::wstring> IconSourceOf(size_t row) const;
    void OpenWindowRows(const std::vector<std::vector<size_t>>& windows);
    void ReportAndClose(const std::vector<PageCandidate>& pages, const std::vector<OpenOutcome>& outcomes,
                        const std::vector<uint32_t>& errors);
    std::wstring WindowHeading(size_t window, bool withNote) const;
    std::wstring WindowNote(size_t window) const;
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
    // The view of the last windows: its table (a row a tab), the windows, what the reading
    // gave (taken when it has ended).
    bool m_windowsView;
    bool m_readingWindows = false;   // what the running reading reads
    bool m_viewRead[2] = {};         // each view once read
    std::wstring m_unreadText[2];    // each view's line of profiles that gave nothing
    std::wstring m_pagesCaption;
    PageTable m_windowTable;
    std::vector<ReopenCommand::ListedWindow> m_windows;
    std::vector<ReopenCommand::ListedWindow> m_loadedWindows;
    std::vector<ReopenCommand::UnreadSession> m_loadedUnreadSessions;
    bool m_groupView = false;        // the list shows groups; else heading rows stand for them
    HFONT m_headingFont = nullptr;
    std::vector<ListedPage> m_loaded;  // written by the reading, taken when it has ended
    std::vector<CBrowserSources::Unread> m_loadedUnread;  // the same: the profiles that gave nothing
    CBackgroundTask m_reading;
    // The search: the loaded rows kept aside while found ones are shown, what the rows shown
    // were found for (text and period), each page's check as last given.
    std::vector<ListedPage> m_loadedPages;
    std::wstring m_loadedUnreadText;
    bool m_showingFound = false;
    std::wstring m_foundFor;
    std::map<std::tuple<std::string, const BrowserDescriptor*, std::string>, bool> m_checks;
    // The search under way, and those asked to stop that have not ended yet (a key never waits
    // for one: a history's copy, the URL cache's scan are not stopped half way).
    std::unique_ptr<CBackgroundTask> m_search;
    std::vector<std::unique_ptr<CBackgroundTask>> m_stoppedSearches;
    struct Found {
        std::vector<ListedPage> pages;
        std::vector<CBrowserSources::Unread> unread;
        std::atomic<bool> ended{ false };
    };
    std::shared_ptr<Found> m_found;  // what the search under way finds
    bool m_searching = false;
    bool m_searchWaits = false;  // asked for while the view was still read
    std::wstring m_searchText;  // what the search under way is for
    HIMAGELIST m_icons = nullptr;
    std::map<std::string, int> m_siteIcon;
    CBackgroundTask m_iconTask;
    bool m_iconsRunning = false;
    unsigned m_iconsNumber = 0;
    std::atomic<unsigned> m_iconsEnded{ 0 };
    std::vector<std::pair<std::string, HBITMAP>> m_iconsFound;  // written by the task

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

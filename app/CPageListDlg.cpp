#include "CPageListDlg.h"
#include "CSourcesDlg.h"
#include "OpenReport.h"
#include "PageExport.h"
#include "../framework/AfxMessageBox.h"
#include "../framework/CBusyCommand.h"
#include "../framework/CFileDialog.h"
#include "../framework/CImageDecoder.h"
#include "../framework/FileSystem.h"
#include "../framework/Clipboard.h"
#include "../framework/LocalTimeText.h"
#include "../framework/LocaleText.h"
#include "../framework/CMenu.h"
#include "../framework/CToolTipCtrl.h"
#include "../framework/CWinApp.h"
#include "../framework/NumberText.h"
#include "../reopen/SiteIconRequests.h"
#include "../text/AnsiText.h"
#include "../text/SearchWords.h"
#include "../text/TitleText.h"
#include "../text/Utf8Text.h"
#include <commctrl.h>
#include <algorithm>

namespace {
constexpr UINT WM_LIST_PROGRESS = WM_APP + 1;

std::u16string ToU16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }
constexpr UINT WM_LIST_LOADED = WM_APP + 2;
constexpr UINT WM_SEARCH_PROGRESS = WM_APP + 3;
constexpr UINT WM_SEARCH_DONE = WM_APP + 4;
constexpr UINT WM_ICONS_DONE = WM_APP + 5;
constexpr UINT_PTR kSearchTimer = 1;
// The page icon of a row without a site icon: a sheet with a folded corner, drawn at the
// side the list's small icons have.
HBITMAP PageIcon(int side)
{
    BITMAPINFO info = {};
    info.bmiHeader = { sizeof(BITMAPINFOHEADER), side, -side, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return nullptr;
    uint32_t* px = static_cast<uint32_t*>(bits);
    const int left = side / 8, right = side - 1 - side / 8, top = 0, bottom = side - 1, fold = side / 4;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            uint32_t colour = 0;  // transparent
            const bool inside = x >= left && x <= right && y >= top && y <= bottom && (x - (right - fold)) <= y;
            if (inside) {
                const bool edge = x == left || x == right || y == top || y == bottom || x - (right - fold) == y;
                const bool corner = x >= right - fold && y <= fold && x - (right - fold) <= y;
                colour = edge ? 0xFF7A7A7A : corner ? 0xFFD8D8D8 : 0xFFFFFFFF;
            }
            px[y * side + x] = colour;
        }
    return bitmap;
}
// The search starts this long after the last key.
constexpr UINT kSearchDelayMs = 250;
constexpr UINT kPeriods[] = { IDS_PERIOD_ALL, IDS_PERIOD_TODAY, IDS_PERIOD_WEEK, IDS_PERIOD_MONTH };

// A page as the list tells it from another: its address, browser and profile.
std::tuple<std::string, const BrowserDescriptor*, std::string> KeyOf(const PageCandidate& page)
{
    return { page.url, page.browser, page.profile };
}

// The columns' own widths, in dialog units.
constexpr int kColumnWidthsDu[PageTable::kColumns] = { 122, 95, 92, 70, 28 };
constexpr UINT kColumnHeadings[PageTable::kColumns] = { IDS_LIST_COLUMN_TITLE, IDS_LIST_COLUMN_ADDRESS,
                                                        IDS_LIST_COLUMN_SOURCE, IDS_LIST_COLUMN_TIME,
                                                        IDS_LIST_COLUMN_OPEN };

// A row's page as shown: the title that the page wrote cleaned (the address for a page without
// one), the address whole, the whole title as copied.
void SetPageTexts(PageTable::Row& row, const std::wstring& address, const std::string& utf8Title)
{
    row.address = TitleText::Address(address);
    const std::wstring title = Utf8Text::ToWide(utf8Title);
    row.title = TitleText::Clean(title);
    row.copiedTitle = TitleText::Clean(title, TitleText::kLongestCopied);
    if (row.title.empty())
        row.title = TitleText::Clean(row.address);
}

// A page as its row shows it: texts that web pages wrote cleaned, the address whole.
PageTable::Row RowOf(const ListedPage& listed)
{
    const PageCandidate& page = listed.page;
    PageTable::Row row;
    SetPageTexts(row, page.browser ? Utf8Text::ToWide(page.url) : AnsiText::ToWide(page.url), page.title);
    row.openable = !page.browser || !page.program.empty();
    row.source = page.browser ? std::wstring(page.browser->displayName) + L" / " + TitleText::Clean(page.profileName)
                              : AfxLoadString(IDS_LIST_URL_CACHE);
    if (!row.openable)
        row.source += AfxLoadString(IDS_LIST_NO_PROGRAM_NOTE);
    row.time = LocalTimeText::Minutes(page.FileTime());
    row.timeUs = page.timeUs;
    row.openNow = page.openNow;
    row.checked = listed.preChecked;
    return row;
}
}

BEGIN_MESSAGE_MAP(CPageListDlg, CDialog)
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_MESSAGE(WM_LIST_PROGRESS, OnProgress)
    ON_MESSAGE(WM_LIST_LOADED, OnLoaded)
    ON_MESSAGE(WM_EXITSIZEMOVE, OnExitSizeMove)
    ON_EN_CHANGE(IDC_LIST_FILTER, OnFilterChange)
    ON_CONTROL(CBN_SELCHANGE, IDC_LIST_PERIOD, OnPeriodChange)
    ON_MESSAGE(WM_TIMER, OnTimer)
    ON_MESSAGE(WM_SEARCH_PROGRESS, OnSearchProgress)
    ON_MESSAGE(WM_SEARCH_DONE, OnSearchDone)
    ON_MESSAGE(WM_ICONS_DONE, OnIconsDone)
    ON_BN_CLICKED(IDC_LIST_CHECK_ALL, OnCheckAll)
    ON_BN_CLICKED(IDC_LIST_CHECK_NONE, OnCheckNone)
    ON_BN_CLICKED(IDC_LIST_COPY, OnCopy)
    ON_BN_CLICKED(IDC_LIST_SAVE, OnSave)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_LIST_PAGES, OnItemChanged)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_LIST_PAGES, OnColumnClick)
    ON_NOTIFY(NM_DBLCLK, IDC_LIST_PAGES, OnDoubleClick)
    ON_NOTIFY(LVN_KEYDOWN, IDC_LIST_PAGES, OnListKeyDown)
    ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
    ON_MESSAGE(WM_ENTERSIZEMOVE, OnEnterSizeMove)
    ON_COMMAND(IDM_LIST_OPEN, OnOpenSelected)
    ON_COMMAND(IDM_LIST_COPY_ADDRESS, OnCopyAddresses)
    ON_COMMAND(IDM_LIST_COPY_TITLE, OnCopyTitles)
    ON_BN_CLICKED(IDC_LIST_VIEW_PAGES, OnViewPages)
    ON_BN_CLICKED(IDC_LIST_VIEW_WINDOWS, OnViewWindows)
    ON_NOTIFY(NM_CUSTOMDRAW, IDC_LIST_PAGES, OnCustomDraw)
END_MESSAGE_MAP()

CPageListDlg::CPageListDlg(const ReopenOptions& options, size_t listCount, bool windows, CWnd* pParent)
    : CDialog(IDD, pParent), m_options(options), m_listCount(listCount),
      m_table(PageTable::TextRules{ &LocaleText::Holds, &LocaleText::Compare }), m_windowsView(windows),
      m_windowTable(PageTable::TextRules{ &LocaleText::Holds, &LocaleText::Compare })
{
}

// The reading is stopped and waited for before anything it writes goes.
CPageListDlg::~CPageListDlg()
{
    StopIcons();
    StopSearches();
    m_reading.Stop();
    if (m_headingFont)
        DeleteObject(m_headingFont);
}

// What a column needs to show its heading whole, the sort arrow's room included.
int CPageListDlg::HeadingWidth(int column) const
{
    return m_list.GetStringWidth(AfxLoadString(kColumnHeadings[column])) + 2 * GetSystemMetrics(SM_CXEDGE) + 24;
}

// As the dialog's units make it, and never narrower than its heading in this language.
int CPageListDlg::DefaultColumnWidth(int column) const
{
    RECT r = { 0, 0, kColumnWidthsDu[column], 8 };
    MapDialogRect(m_hWnd, &r);
    return std::max<int>(r.right, HeadingWidth(column));
}

// The title's width that fills the list beside the other columns and a vertical scroll bar.
int CPageListDlg::FittingTitleWidth() const
{
    RECT client = {};
    ::GetClientRect(m_list.m_hWnd, &client);
    // The same whether the rows need a scroll bar now or not.
    if (GetWindowLongW(m_list.m_hWnd, GWL_STYLE) & WS_VSCROLL)
        client.right += GetSystemMetrics(SM_CXVSCROLL);
    int others = GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXEDGE);
    for (int c = 0; c < PageTable::kColumns; ++c)
        if (c != PageTable::kTitle)
            others += m_list.GetColumnWidth(c);
    return std::max<int>(client.right - others, HeadingWidth(PageTable::kTitle));
}

// The work area of the screen that holds the most of `r`, or the nearest one.
RECT CPageListDlg::WorkAreaNear(const RECT& r)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    return info.rcWork;
}

BOOL CPageListDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The program's icon in its caption and on the task bar (where it is the program's window).
    if (HICON icon = LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME))) {
        SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    WidenStaticTexts();
    m_list.SubclassDlgItem(IDC_LIST_PAGES, this);
    m_list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
    for (int c = 0; c < PageTable::kColumns; ++c) {
        int width = m_nColumnWidths[c] > 0 ? m_nColumnWidths[c] : DefaultColumnWidth(c);
        m_list.InsertColumn(c, AfxLoadString(kColumnHeadings[c]), c == PageTable::kOpen ? LVCFMT_CENTER : LVCFMT_LEFT,
                            width);
    }
    m_list.SetSortArrow(PageTable::kTime, -1);
    const int side = GetSystemMetrics(SM_CXSMICON);
    m_icons = ImageList_Create(side, side, ILC_COLOR32, 16, 64);
    if (m_icons) {
        if (HBITMAP page = PageIcon(side)) {
            ImageList_Add(m_icons, page, nullptr);
            DeleteObject(page);
        }
        m_list.SetSmallImages(m_icons);
    }

    // Each control keeps its distance to the edges it is anchored to.
    // Laid out for the template's size, which the screen may have cut the window below.
    m_madeClient = TemplateClientSize();
    const struct { int id; bool right, bottom, stretchX, stretchY; } anchors[] = {
        { IDC_LIST_VIEW_PAGES, false, false, false, false }, { IDC_LIST_VIEW_WINDOWS, false, false, false, false },
        { IDC_LIST_FILTER, false, false, false, false },   { IDC_LIST_PERIOD, false, false, false, false },
        { IDC_LIST_STATUS, false, false, true, false },
        { IDC_LIST_PAGES, false, false, true, true },      { IDC_LIST_CHECK_ALL, false, true, false, false },
        { IDC_LIST_CHECK_NONE, false, true, false, false }, { IDC_LIST_COPY, false, true, false, false },
        { IDC_LIST_SAVE, false, true, false, false },
        { IDC_LIST_UNREAD, false, true, true, false },
        { IDOK, true, true, false, false },                { IDCANCEL, true, true, false, false },
    };
    for (const auto& a : anchors) {
        RECT r;
        ::GetWindowRect(GetDlgItem(a.id), &r);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        m_anchored.push_back({ a.id, r, a.right, a.bottom, a.stretchX, a.stretchY });
    }
    RECT window, client;
    ::GetWindowRect(m_hWnd, &window);
    GetClientRect(&client);
    // The window's own size for the template's client (its frame added).
    window.right += m_madeClient.cx - client.right;
    window.bottom += m_madeClient.cy - client.bottom;
    m_minTrack = { (window.right - window.left) * 4 / 5, (window.bottom - window.top) * 3 / 5 };
    // Never so narrow that the buttons on the left run into those on the right: the gap between
    // them may shrink to the dialog's margin, no further.
    RECT saveMade = {}, okMade = {}, margin = { 0, 0, 7, 0 };
    for (const Anchored& a : m_anchored) {
        if (a.id == IDC_LIST_SAVE)
            saveMade = a.made;
        else if (a.id == IDOK)
            okMade = a.made;
    }
    MapDialogRect(m_hWnd, &margin);
    const LONG shrink = okMade.left - saveMade.right - margin.right;
    m_minTrack.cx = std::max<LONG>(m_minTrack.cx, window.right - window.left - std::max<LONG>(shrink, 0));

    // Where the user left it, moved onto the nearest screen when it is on none any more (its
    // size kept); else as made, never larger than the screen's work area.
    RECT placed = window;
    if (m_nWidth > 0 && m_nHeight > 0) {
        placed = { m_nLeft, m_nTop, m_nLeft + std::max<int>(m_nWidth, m_minTrack.cx),
                   m_nTop + std::max<int>(m_nHeight, m_minTrack.cy) };
        KeepPlacement();
    }
    const RECT work = WorkAreaNear(placed);
    const LONG width = std::min(placed.right - placed.left, work.right - work.left);
    const LONG height = std::min(placed.bottom - placed.top, work.bottom - work.top);
    m_minTrack = { std::min<LONG>(m_minTrack.cx, width), std::min<LONG>(m_minTrack.cy, height) };
    LONG left = std::max(work.left, std::min(placed.left, work.right - width));
    LONG top = std::max(work.top, std::min(placed.top, work.bottom - height));
    if (width != window.right - window.left || height != window.bottom - window.top || m_nWidth > 0) {
        if (m_nWidth <= 0) {  // as made, but smaller: centred on the work area
            left = work.left + (work.right - work.left - width) / 2;
            top = work.top + (work.bottom - work.top - height) / 2;
            KeepPlacement();
        }
        SetWindowPos(m_hWnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // From here on the title column follows the list's width. Its own width is what the others
    // leave of the list, so that the first look needs no scroll bar in either language.
    RECT laidOut;
    GetClientRect(&laidOut);
    OnSize(SIZE_RESTORED, laidOut.right, laidOut.bottom);  // also when the screen made it smaller before
    m_lastClient = { laidOut.right, laidOut.bottom };
    if (m_nColumnWidths[PageTable::kTitle] <= 0)
        m_list.SetColumnWidth(PageTable::kTitle, FittingTitleWidth());

    HWND unreadLine = GetDlgItem(IDC_LIST_UNREAD);
    SetWindowLongW(unreadLine, GWL_STYLE, GetWindowLongW(unreadLine, GWL_STYLE) | SS_NOTIFY);
    RECT line;
    ::GetWindowRect(unreadLine, &line);
    if (m_unreadTip.Create(m_hWnd, TTS_ALWAYSTIP | TTS_NOPREFIX))
        m_unreadTip.AddWindowTool(m_hWnd, unreadLine, L"", std::max<int>((line.right - line.left) * 2 / 3, 200));

    HWND period = GetDlgItem(IDC_LIST_PERIOD);
    for (UINT id : kPeriods)
        ::SendMessageW(period, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AfxLoadString(id).c_str()));
    ::SendMessageW(period, CB_SETCURSEL, 0, 0);

    m_pagesCaption = WindowTextOf(m_hWnd);
    ShowView(m_windowsView);
    return TRUE;
}

LRESULT CPageListDlg::OnProgress(WPARAM done, LPARAM total)
{
    if (m_loading && total > 0)
        SetDlgItemTextW(m_hWnd, IDC_LIST_STATUS,
                        NumberText::FillIn(AfxLoadString(IDS_LIST_LOADING_PROFILES), { static_cast<long long>(done), total }).c_str());
    return 0;
}

// Reads the view shown now on a thread of its own; the rows come with WM_LIST_LOADED.
void CPageListDlg::StartReading()
{
    m_loading = true;
    m_readingWindows = m_windowsView;
    SetDlgItemTextW(m_hWnd, IDC_LIST_STATUS, AfxLoadString(IDS_LIST_LOADING).c_str());
    for (int id : { IDOK, IDC_LIST_CHECK_ALL, IDC_LIST_CHECK_NONE, IDC_LIST_COPY, IDC_LIST_SAVE })
        EnableWindow(GetDlgItem(id), FALSE);
    const HWND self = m_hWnd;
    const ReopenOptions options = m_options;
    const size_t listCount = m_listCount;
    const bool windows = m_windowsView;
    m_reading.Start(self, WM_LIST_LOADED, [this, self, options, listCount, windows](const std::atomic<bool>& stop) {
        CBrowserSources::Progress progress;
        progress.stop = &stop;
        progress.step = [self](size_t done, size_t total) {
            PostMessageW(self, WM_LIST_PROGRESS, done, static_cast<LPARAM>(total));
        };
        if (windows) {
            std::vector<ReopenCommand::UnreadSession> unread;
            std::vector<ReopenCommand::ListedWindow> found = ReopenCommand::Windows(options, progress, &unread);
            if (!stop) {
                m_loadedWindows = std::move(found);
                m_loadedUnreadSessions = std::move(unread);
            }
            return;
        }
        std::vector<CBrowserSources::Unread> unread;
        std::vector<ListedPage> pages = ReopenCommand::List(options, listCount, progress, &unread);
        if (!stop) {
            m_loaded = std::move(pages);
            m_loadedUnread = std::move(unread);
        }
    });
}

// Switches to a view: its headings, its caption, its rows (read the first time).
void CPageListDlg::ShowView(bool windows)
{
    if (m_loading && m_readingWindows != windows) {
        m_reading.Stop();  // what it read is dropped: that view is read again when shown
        m_loading = false;
    }
    m_windowsView = windows;
    CheckRadioButton(m_hWnd, IDC_LIST_VIEW_PAGES, IDC_LIST_VIEW_WINDOWS, windows ? IDC_LIST_VIEW_WINDOWS : IDC_LIST_VIEW_PAGES);
    SetWindowTextW(m_hWnd, windows ? AfxLoadString(IDS_WINDOWS_CAPTION).c_str() : m_pagesCaption.c_str());
    m_list.SetColumnHeading(PageTable::kSource, AfxLoadString(windows ? IDS_LIST_COLUMN_GROUP : IDS_LIST_COLUMN_SOURCE));
    m_list.SetColumnHeading(PageTable::kTime, AfxLoadString(windows ? IDS_LIST_COLUMN_PINNED : IDS_LIST_COLUMN_TIME));
    m_groupView = m_list.EnableGroupView(windows);
    EnableWindow(GetDlgItem(IDC_LIST_PERIOD), !windows);  // the windows' tabs have no time
    SetTableFilter();
    m_list.SetSortArrow(Table().SortColumn(), windows && Table().SortColumn() == PageTable::kTime && Table().Ascending()
                                                  ? 0
                                                  : Table().Ascending() ? 1 : -1);
    m_filling = true;
    m_list.DeleteAllItems();
    m_filling = false;
    SetDlgItemTextW(m_hWnd, IDC_LIST_UNREAD, m_unreadText[windows].c_str());
    m_unreadTip.UpdateWindowTipText(m_hWnd, GetDlgItem(IDC_LIST_UNREAD), m_unreadText[windows]);
    if (!m_viewRead[windows]) {
        if (!m_loading)
            StartReading();
        return;
    }
    ShowLoaded();
}

LRESULT CPageListDlg::OnLoaded(WPARAM, LPARAM)
{
    if (!m_loading)
        return 0;
    m_reading.Stop();  // it has ended: what it wrote is ours now
    m_loading = false;
    const bool windows = m_readingWindows;
    m_viewRead[windows] = true;
    // The profiles that gave nothing, each with its browser, after the count of pages.
    std::wstring unread;
    const auto add = [&](const wchar_t* browser, const std::wstring& text) {
        unread += (unread.empty() ? std::wstring() : AfxLoadString(IDS_LIST_UNREAD_SEPARATOR)) + browser + text;
    };
    std::vector<PageTable::Row> rows;
    if (windows) {
        m_windows = std::move(m_loadedWindows);
        static const UINT kReasons[] = { 0, 0, IDS_SESSION_UNREADABLE, IDS_SESSION_ENCRYPTED, IDS_SESSION_OUT_OF_DATE };
        for (const ReopenCommand::UnreadSession& u : m_loadedUnreadSessions)
            add(u.browser->displayName, TitleText::Into(AfxLoadString(kReasons[static_cast<size_t>(u.why)]), u.profileName));
        const std::wstring pinned = AfxLoadString(IDS_LIST_PINNED_MARK);
        const std::wstring untitled = AfxLoadString(IDS_WINDOW_NO_GROUP_TITLE);
        for (size_t w = 0; w < m_windows.size(); ++w) {
            const ReopenCommand::ListedWindow& window = m_windows[w];
            for (size_t t = 0; t < window.window.tabs.size(); ++t) {
                const SessionTab& tab = window.window.tabs[t];
                PageTable::Row row;
                SetPageTexts(row, Utf8Text::ToWide(tab.url), tab.title);
                row.source = tab.inGroup ? (tab.group.empty() ? untitled : TitleText::Clean(Utf8Text::ToWide(tab.group))) : std::wstring();
                row.time = tab.pinned ? pinned : std::wstring();
                row.timeUs = static_cast<int64_t>(t);
                row.openNow = window.openNow;
                row.openable = !window.program.empty();
                row.checked = window.ToOpen();
                row.window = w;
                row.pinned = tab.pinned;
                row.restoresItself = window.restoresItself;
                rows.push_back(std::move(row));
            }
        }
        m_windowTable.SetRows(std::move(rows));
    } else {
        m_pages = std::move(m_loaded);
        unread = UnreadLine(m_loadedUnread);
        rows.reserve(m_pages.size());
        for (const ListedPage& listed : m_pages)
            rows.push_back(RowOf(listed));
        m_table.SetRows(std::move(rows));
    }
    m_unreadText[windows] = unread;
    if (windows == m_windowsView)
        ShowView(windows);
    if (!windows && m_searchWaits) {
        m_searchWaits = false;
        StartSearch();
    }
    return 0;
}

// The rows of the view read, and what works on them.
void CPageListDlg::ShowLoaded()
{
    SetTableFilter();
    Fill();
    const bool any = Table().Size() > 0;
    for (int id : { IDC_LIST_CHECK_ALL, IDC_LIST_CHECK_NONE, IDC_LIST_SAVE })
        EnableWindow(GetDlgItem(id), any);
    if (!any && !m_searching)
        SetDlgItemTextW(m_hWnd, IDC_LIST_STATUS,
                        AfxLoadString(m_windowsView ? IDS_NO_WINDOW_FOUND
                                                    : m_showingFound ? IDS_LIST_NOTHING_MATCHES : IDS_NO_URL_FOUND)
                            .c_str());
    StartIcons();
    // Back in the recent view with words that its rows were not found for: they are searched.
    if (!m_windowsView && !m_searching && !SearchWords(Utf8Text::FromWide(FilterText())).Empty() &&
        !(m_showingFound && m_foundFor == SearchKey()))
        SetTimer(m_hWnd, kSearchTimer, kSearchDelayMs, nullptr);
}

std::wstring CPageListDlg::FilterText() const { return WindowTextOf(GetDlgItem(IDC_LIST_FILTER)); }

// What a search was for: its text and its period.
std::wstring CPageListDlg::SearchKey() const
{
    return FilterText() + L'\n' + std::to_wstring(::SendMessageW(GetDlgItem(IDC_LIST_PERIOD), CB_GETCURSEL, 0, 0));
}

// The rows shown narrowed by the filter's words (unless they were found for them) and, in the
// recent view, the period.
void CPageListDlg::SetTableFilter()
{
    const std::wstring text = FilterText();
    if (m_windowsView)
        m_windowTable.SetFilter(text);
    else
        m_table.SetFilter(m_showingFound && m_foundFor.compare(0, text.size() + 1, text + L'\n') == 0 ? std::wstring() : text,
                          PeriodStartUs());
}

int64_t CPageListDlg::PeriodStartUs() const
{
    const int64_t day = 24LL * 3600 * 1000000;
    const int64_t now = LocalTimeText::UnixMicros(LocalTimeText::Now());
    switch (::SendMessageW(GetDlgItem(IDC_LIST_PERIOD), CB_GETCURSEL, 0, 0)) {
    case 1: {
        const uint64_t midnight = LocalTimeText::StartOfToday();
        return midnight ? LocalTimeText::UnixMicros(midnight) : now - day;
    }
    case 2: return now - 7 * day;
    case 3: return now - 30 * day;
    default: return 0;
    }
}

// The rows narrowed at once; with words, the whole history searched once typing rests.
void CPageListDlg::ApplyFilter()
{
    KillTimer(m_hWnd, kSearchTimer);
    if (m_windowsView) {
        SetTableFilter();
        Fill();
        return;
    }
    if (SearchWords(Utf8Text::FromWide(FilterText())).Empty()) {
        StopSearch();
        if (m_showingFound) {  // the loaded rows back, with the checks given meanwhile
            ShowPages(std::move(m_loadedPages), false);
            SetUnreadLine(m_loadedUnreadText);
        }
        if (m_viewRead[0])
            ShowLoaded();
        return;
    }
    SetTableFilter();
    Fill();
    SetTimer(m_hWnd, kSearchTimer, kSearchDelayMs, nullptr);
}

LRESULT CPageListDlg::OnTimer(WPARAM id, LPARAM)
{
    if (id == kSearchTimer) {
        KillTimer(m_hWnd, kSearchTimer);
        StartSearch();
    }
    return 0;
}

// The search under way asked to stop; what it finds is dropped. It is not waited for.
void CPageListDlg::StopSearch()
{
    m_searchWaits = false;
    if (!m_searching)
        return;
    m_search->AskToStop();
    m_stoppedSearches.push_back(std::move(m_search));
    m_found.reset();
    m_searching = false;
    ShowChecked();
}

// Every search stopped and waited for (the list closes).
void CPageListDlg::StopSearches()
{
    StopSearch();
    for (auto& search : m_stoppedSearches)
        search->Stop();
    m_stoppedSearches.clear();
}

// The whole history of every chosen source searched on a thread of its own for the filter's
// words within the period; a running search is stopped first.
void CPageListDlg::StartSearch()
{
    if (m_windowsView || m_opening)
        return;
    if (m_loading || !m_viewRead[0]) {
        m_searchWaits = true;  // once the view is read
        return;
    }
    StopSearch();
    HistoryQuery query;
    query.words = SearchWords(Utf8Text::FromWide(FilterText()));
    query.fromUs = PeriodStartUs();
    if (query.words.Empty())
        return;
    m_searching = true;
    m_searchText = SearchKey();
    SetDlgItemTextW(m_hWnd, IDC_LIST_STATUS, AfxLoadString(IDS_LIST_SEARCH_STARTED).c_str());
    const HWND self = m_hWnd;
    const ReopenOptions options = m_options;
    const size_t listCount = m_listCount;
    m_found = std::make_shared<Found>();
    m_search.reset(new CBackgroundTask);
    // The search writes only into what it was given: a stopped one's results go with it.
    m_search->Start(self, WM_SEARCH_DONE, [self, options, listCount, query, found = m_found](const std::atomic<bool>& stop) {
        CBrowserSources::Progress progress;
        progress.stop = &stop;
        progress.step = [self, &stop](size_t done, size_t total) {
            if (!stop)
                PostMessageW(self, WM_SEARCH_PROGRESS, done, static_cast<LPARAM>(total));
        };
        found->pages = ReopenCommand::Search(options, listCount, query, progress, &found->unread);
        found->ended = true;
    });
}

LRESULT CPageListDlg::OnSearchProgress(WPARAM done, LPARAM total)
{
    if (m_searching && total > 0)
        SetDlgItemTextW(m_hWnd, IDC_LIST_STATUS,
                        NumberText::FillIn(AfxLoadString(IDS_LIST_SEARCHING), { static_cast<long long>(done), total }).c_str());
    return 0;
}

// The found rows shown, the profiles that could not be searched named.
LRESULT CPageListDlg::OnSearchDone(WPARAM, LPARAM)
{
    // The stopped searches that have ended meanwhile are let go.
    for (size_t i = m_stoppedSearches.size(); i-- > 0;)
        if (m_stoppedSearches[i]->Ended()) {
            m_stoppedSearches[i]->Stop();
            m_stoppedSearches.erase(m_stoppedSearches.begin() + static_cast<ptrdiff_t>(i));
        }
    if (!m_searching || !m_found || !m_found->ended)
        return 0;  // a stopped search's end
    m_search->Stop();  // it has ended: what it wrote is ours now
    m_searching = false;
    const std::shared_ptr<Found> found = std::move(m_found);
    if (!m_showingFound)
        m_loadedUnreadText = m_unreadText[0];
    ShowPages(std::move(found->pages), true);
    m_foundFor = m_searchText;
    SetUnreadLine(UnreadLine(found->unread));
    if (!m_windowsView)
        ShowLoaded();
    return 0;
}

void CPageListDlg::ShowPages(std::vector<ListedPage> pages, bool found)
{
    for (size_t i = 0; i < m_pages.size() && i < m_table.Size(); ++i)
        m_checks[KeyOf(m_pages[i].page)] = m_table.At(i).checked;
    if (found && !m_showingFound)
        m_loadedPages = m_pages;
    m_pages = std::move(pages);
    std::vector<PageTable::Row> rows;
    rows.reserve(m_pages.size());
    for (const ListedPage& listed : m_pages) {
        PageTable::Row row = RowOf(listed);
        auto kept = m_checks.find(KeyOf(listed.page));
        if (kept != m_checks.end())
            row.checked = kept->second;
        rows.push_back(std::move(row));
    }
    m_table.SetRows(std::move(rows));
    m_showingFound = found;
    if (!m_windowsView)
        m_list.SetSortArrow(PageTable::kTime, -1);
}

// The line of the recent view's profiles that gave nothing.
void CPageListDlg::SetUnreadLine(const std::wstring& text)
{
    m_unreadText[0] = text;
    if (!m_windowsView) {
        SetDlgItemTextW(m_hWnd, IDC_LIST_UNREAD, text.c_str());
        m_unreadTip.UpdateWindowTipText(m_hWnd, GetDlgItem(IDC_LIST_UNREAD), text);
    }
}

// Each profile that gave nothing, with its browser and why.
std::wstring CPageListDlg::UnreadLine(const std::vector<CBrowserSources::Unread>& unread)
{
    std::wstring line;
    for (const CBrowserSources::Unread& u : unread)
        line += (line.empty() ? std::wstring() : AfxLoadString(IDS_LIST_UNREAD_SEPARATOR)) + u.browser->displayName +
                CSourcesDlg::UnreadText(u);
    return line;
}

// A window's heading: its browser and profile, its number and tabs, and with `withNote` what
// becomes of it (open now, restored by its browser).
std::wstring CPageListDlg::WindowHeading(size_t window, bool withNote) const
{
    const ReopenCommand::ListedWindow& w = m_windows[window];
    std::wstring heading = std::wstring(w.browser->displayName) + L" / " + TitleText::Clean(w.profileName);
    if (w.program.empty())
        heading += AfxLoadString(IDS_LIST_NO_PROGRAM_NOTE);
    heading += L"  " + NumberText::FillIn(AfxLoadString(IDS_WINDOW_HEADER),
                                          { static_cast<long long>(w.number), static_cast<long long>(w.window.tabs.size()) });
    return withNote ? heading + WindowNote(window) : heading;
}

std::wstring CPageListDlg::WindowNote(size_t window) const
{
    const ReopenCommand::ListedWindow& w = m_windows[window];
    return w.openNow ? AfxLoadString(IDS_WINDOW_OPEN_NOTE)
                     : w.restoresItself ? AfxLoadString(IDS_WINDOW_RESTORES_NOTE) : std::wstring();
}

void CPageListDlg::Fill()
{
    m_filling = true;
    m_list.SetRedraw(FALSE);
    m_list.DeleteAllItems();
    const std::wstring mark = AfxLoadString(IDS_LIST_OPEN_MARK);
    const PageTable& table = Table();
    if (m_groupView)
        m_list.RemoveAllGroups();
    int item = 0;
    size_t window = PageTable::kNoWindow;
    for (size_t row : table.Shown()) {
        const PageTable::Row& r = table.At(row);
        if (m_windowsView && r.window != window) {
            window = r.window;
            if (m_groupView) {
                m_list.InsertGroup(static_cast<int>(window), WindowHeading(window, true));
            } else {  // a heading row: after the rows, so that it is never taken for one
                m_list.InsertItem(item, WindowHeading(window, false), static_cast<LPARAM>(table.Size() + window), I_IMAGENONE);
                m_list.SetItemText(item, PageTable::kAddress, WindowNote(window));
                m_list.RemoveCheckBox(item);
                ++item;
            }
        }
        if (m_groupView)
            m_list.InsertItemInGroup(item, r.title, static_cast<LPARAM>(row), static_cast<int>(r.window), ImageOf(row));
        else
            m_list.InsertItem(item, r.title, static_cast<LPARAM>(row), ImageOf(row));
        m_list.SetItemText(item, PageTable::kAddress, r.address);
        m_list.SetItemText(item, PageTable::kSource, r.source);
        m_list.SetItemText(item, PageTable::kTime, r.time);
        m_list.SetItemText(item, PageTable::kOpen, r.openNow ? mark : std::wstring());
        m_list.SetCheck(item, r.checked);
        ++item;
    }
    m_list.SetRedraw(TRUE);
    m_filling = false;
    ShowChecked();
}

// A heading row of a window (where the list shows no groups) drawn as a group's heading: in
// bold on the face colour, across the whole row, with what becomes of the window.
void CPageListDlg::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVCUSTOMDRAW* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (!m_windowsView || m_groupView)
        return;
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *pResult = CDRF_NOTIFYITEMDRAW;
        return;
    }
    const size_t row = static_cast<size_t>(draw->nmcd.lItemlParam);
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT || row < Table().Size() || row - Table().Size() >= m_windows.size())
        return;
    if (!m_headingFont) {
        LOGFONTW font = {};
        if (HFONT listFont = reinterpret_cast<HFONT>(m_list.SendMessage(WM_GETFONT)))
            GetObjectW(listFont, sizeof(font), &font);
        font.lfWeight = FW_BOLD;
        m_headingFont = CreateFontIndirectW(&font);
    }
    const int item = static_cast<int>(draw->nmcd.dwItemSpec);
    RECT r = {};
    if (!m_list.GetItemRect(item, &r))
        return;
    const bool selected = (m_list.SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_SELECTED) & LVIS_SELECTED) != 0;
    HDC dc = draw->nmcd.hdc;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    const HGDIOBJ before = SelectObject(dc, m_headingFont ? m_headingFont : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
    r.left += 6;
    const std::wstring text = WindowHeading(row - Table().Size(), true);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, before);
    *pResult = CDRF_SKIPDEFAULT;
}

void CPageListDlg::OnViewPages()
{
    if (!m_opening && m_windowsView)
        ShowView(false);
}

void CPageListDlg::OnViewWindows()
{
    if (!m_opening && !m_windowsView)
        ShowView(true);
}

// The count of checked pages, and what can be done with them.
void CPageListDlg::ShowChecked()
{
    if (m_loading)
        return;
    const size_t checked = Table().CheckedCount();
    const auto n = [](size_t count) { return static_cast<long long>(count); };
    if (Table().Size() > 0 && !(m_searching && !m_windowsView))  // the search's progress stays
        SetDlgItemTextW(m_hWnd, IDC_LIST_STATUS,
                        (Table().Filter().empty()
                             ? NumberText::FillIn(AfxLoadString(IDS_LIST_CHECKED), { n(checked), n(Table().Size()) })
                             : NumberText::FillIn(AfxLoadString(IDS_LIST_CHECKED_SHOWN),
                                                  { n(checked), n(Table().Shown().size()), n(Table().Size()) }))
                            .c_str());
    EnableWindow(GetDlgItem(IDOK), checked > 0);
    EnableWindow(GetDlgItem(IDC_LIST_COPY), checked > 0);
}

void CPageListDlg::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if (m_filling || change->iItem < 0 || !(change->uChanged & LVIF_STATE) ||
        ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK) == 0)
        return;
    const size_t row = static_cast<size_t>(m_list.GetItemData(change->iItem));
    if (row < Table().Size()) {
        Table().SetChecked(row, ((change->uNewState & LVIS_STATEIMAGEMASK) >> 12) == 2);
        ShowChecked();
    } else if (change->uNewState & LVIS_STATEIMAGEMASK) {  // Space on a window's heading row
        m_filling = true;
        m_list.RemoveCheckBox(change->iItem);
        m_filling = false;
    }
}

void CPageListDlg::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const int column = reinterpret_cast<const NMLISTVIEW*>(pNMHDR)->iSubItem;
    if (column < 0 || column >= PageTable::kColumns)
        return;
    Table().SortBy(static_cast<PageTable::Column>(column));
    m_list.SetSortArrow(column, Table().Ascending() ? 1 : -1);
    Fill();
}

void CPageListDlg::OnFilterChange() { ApplyFilter(); }

void CPageListDlg::OnPeriodChange() { ApplyFilter(); }

void CPageListDlg::CheckShown(bool checked)
{
    Table().CheckShown(checked);
    m_filling = true;
    for (int item = 0; item < m_list.GetItemCount(); ++item) {
        const size_t row = static_cast<size_t>(m_list.GetItemData(item));
        if (row < Table().Size())  // a window's heading row has no check box
            m_list.SetCheck(item, Table().At(row).checked);
    }
    m_filling = false;
    ShowChecked();
}

void CPageListDlg::OnCheckAll() { CheckShown(true); }

void CPageListDlg::OnCheckNone() { CheckShown(false); }

// The checked rows shown (every row shown when none is checked), in the order shown, as a
// bookmarks file, CSV or text, where the user says.
void CPageListDlg::OnSave()
{
    if (m_loading || m_opening || Table().Shown().empty())
        return;
    const PageTable& table = Table();
    std::vector<size_t> rows;
    for (size_t row : table.Shown())
        if (table.At(row).checked)
            rows.push_back(row);
    if (rows.empty())
        rows = table.Shown();
    std::vector<PageExport::Page> pages;
    for (size_t row : rows) {
        const PageTable::Row& r = table.At(row);
        PageExport::Page page;
        page.title = ToU16(r.copiedTitle);
        page.address = ToU16(r.address);
        page.openNow = r.openNow;
        if (m_windowsView) {
            const ReopenCommand::ListedWindow& w = m_windows[r.window];
            page.browser = ToU16(w.browser->displayName);
            page.profile = ToU16(TitleText::Clean(w.profileName));
        } else {
            const PageCandidate& candidate = m_pages[row].page;
            page.browser = ToU16(candidate.browser ? std::wstring(candidate.browser->displayName) : AfxLoadString(IDS_LIST_URL_CACHE));
            page.profile = ToU16(TitleText::Clean(candidate.profileName));
            page.timeUs = candidate.timeUs;
            if (candidate.timeUs > 0)
                page.time = PageExport::IsoTime(candidate.timeUs, LocalTimeText::OffsetMinutes(candidate.FileTime()));
        }
        pages.push_back(std::move(page));
    }
    CFileDialog dialog(FALSE, L"html", L"Backtracker", OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY,
                       AfxLoadString(IDS_SAVE_FILTER), this);
    if (dialog.DoModal() != IDOK)
        return;
    std::wstring path = dialog.GetPathName();
    std::string bytes;
    switch (dialog.GetFilterIndex()) {
    case 2: bytes = PageExport::Csv(pages, ToU16(AfxLoadString(IDS_SAVE_COLUMNS))); break;
    case 3: bytes = PageExport::Text(pages); break;
    default: bytes = PageExport::Bookmarks(pages, u"Backtracker"); break;
    }
    unsigned long error = 0;
    if (!FileSystem::WriteWhole(path, bytes, &error))
        AfxMessageBox((AfxLoadString(IDS_SAVE_FAILED) + path + L"\n\n" + OpenReport::ErrorText(error, path)).c_str(),
                      MB_OK | MB_ICONEXCLAMATION);
}

void CPageListDlg::OnCopy()
{
    if (m_loading || Table().CheckedCount() == 0)
        return;
    CopyRows(Table().CopyText());
}

// Ctrl+A checks every row shown, Ctrl+C copies the highlighted ones, as a list does (Space,
// the list's own key, turns the check of the focused row).
void CPageListDlg::OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const WORD key = reinterpret_cast<const NMLVKEYDOWN*>(pNMHDR)->wVKey;
    if (!(GetKeyState(VK_CONTROL) & 0x8000))
        return;
    if (key == 'A' && !m_loading && Table().Size() > 0)
        CheckShown(true);
    else if (key == 'C')
        CopyRows(Table().CopyText(SelectedRows()));
}

// The rows highlighted in the list, in the order shown.
std::vector<size_t> CPageListDlg::SelectedRows() const
{
    std::vector<size_t> rows;
    if (m_loading)
        return rows;
    for (int item : m_list.GetSelectedItems()) {
        const size_t row = static_cast<size_t>(m_list.GetItemData(item));
        if (row < Table().Size())
            rows.push_back(row);
    }
    return rows;
}

void CPageListDlg::CopyRows(const std::wstring& text)
{
    if (text.empty())
        return;
    if (!Clipboard::SetText(m_hWnd, text))
        AfxMessageBox(IDS_LIST_COPY_FAILED, MB_OK | MB_ICONEXCLAMATION);
}

// The right button, Shift+F10 or the Apps key on the list: what can be done with the rows
// highlighted. From the keyboard (no point given) the menu stands at the focused row.
LRESULT CPageListDlg::OnContextMenu(WPARAM wParam, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(wParam) != m_list.m_hWnd) {
        Default();
        return 0;
    }
    const bool any = !SelectedRows().empty();
    POINT at = { static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)) };
    if (lParam == -1) {
        RECT item = {}, client = {};
        const int focused = m_list.GetFocusedItem();
        if (focused >= 0 && m_list.GetItemRect(focused, &item))
            at = { item.left + 16, item.bottom };
        else if (::GetClientRect(m_list.m_hWnd, &client))
            at = { client.left + 16, client.top + 16 };
        ClientToScreen(m_list.m_hWnd, &at);
    }
    CMenu menu;
    menu.AppendItem(IDM_LIST_OPEN, AfxLoadString(IDS_LIST_MENU_OPEN), L"", any && !m_opening);
    menu.AppendSeparator();
    menu.AppendItem(IDM_LIST_COPY_ADDRESS, AfxLoadString(IDS_LIST_MENU_COPY_ADDRESS), L"", any);
    menu.AppendItem(IDM_LIST_COPY_TITLE, AfxLoadString(IDS_LIST_MENU_COPY_TITLE), L"", any);
    menu.Show(m_hWnd, at);
    return 0;
}

void CPageListDlg::OnOpenSelected()
{
    const std::vector<size_t> rows = SelectedRows();
    if (rows.empty())
        return;
    if (m_windowsView)
        OpenWindowRows(Table().ByWindow(rows));
    else
        OpenRows(Table().OldestFirst(rows));
}

// Each highlighted row's address, one a line.
void CPageListDlg::OnCopyAddresses()
{
    std::wstring text;
    for (size_t row : SelectedRows())
        text += Table().At(row).address + L"\r\n";
    CopyRows(text);
}

// Each highlighted row's whole title, one a line (an empty line for a page without one).
void CPageListDlg::OnCopyTitles()
{
    std::wstring text;
    for (size_t row : SelectedRows())
        text += Table().At(row).copiedTitle + L"\r\n";
    CopyRows(text);
}

// The first Esc in a filter that holds text empties it; the next one closes the list.
BOOL CPageListDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && pMsg->hwnd == GetDlgItem(IDC_LIST_FILTER) &&
        ::GetWindowTextLengthW(pMsg->hwnd) > 0) {
        ::SetWindowTextW(pMsg->hwnd, L"");
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

// A double click opens that one page.
void CPageListDlg::OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const int item = reinterpret_cast<const NMITEMACTIVATE*>(pNMHDR)->iItem;
    if (m_loading || item < 0)
        return;
    const size_t row = static_cast<size_t>(m_list.GetItemData(item));
    if (row >= Table().Size())
        return;
    if (m_windowsView)
        OpenWindowRows({ { row } });
    else
        OpenRows({ row });
}

// Enter and "開く": the checked pages, oldest first.
void CPageListDlg::OnOK()
{
    if (m_loading || Table().CheckedCount() == 0)
        return;
    if (m_windowsView)
        OpenWindowRows(Table().CheckedByWindow());
    else
        OpenRows(Table().CheckedOldestFirst());
}

// Each window with rows given as one new window of its browser and profile, those tabs in
// their order; the list then closes, as after the pages.
void CPageListDlg::OpenWindowRows(const std::vector<std::vector<size_t>>& windows)
{
    if (m_opening || windows.empty())
        return;
    m_opening = true;
    std::vector<ReopenCommand::ListedWindow> chosen;
    for (const std::vector<size_t>& rows : windows) {
        ReopenCommand::ListedWindow w = m_windows[Table().At(rows.front()).window];
        std::vector<SessionTab> tabs;
        for (size_t row : rows)
            tabs.push_back(w.window.tabs[static_cast<size_t>(Table().At(row).timeUs)]);
        w.window.tabs = std::move(tabs);
        chosen.push_back(std::move(w));
    }
    std::vector<PageCandidate> pages;
    std::vector<OpenOutcome> outcomes;
    std::vector<uint32_t> errors;
    {
        CBusyCommand busy;
        outcomes = ReopenCommand::OpenWindows(chosen, false, &pages, &errors);
    }
    ReportAndClose(pages, outcomes, errors);
}

// What could not be opened is said; then the list closes.
void CPageListDlg::ReportAndClose(const std::vector<PageCandidate>& pages, const std::vector<OpenOutcome>& outcomes,
                                  const std::vector<uint32_t>& errors)
{
    const std::wstring failures = OpenReport::Failures(pages, outcomes, errors);
    if (!failures.empty())
        AfxMessageBox(failures.c_str(), MB_OK | MB_ICONEXCLAMATION);
    m_opening = false;
    KeepPlacementAndColumns();
    EndDialog(IDOK);
}

// As "再び表示" opens them: busy meanwhile, never twice at once; the list then closes.
void CPageListDlg::OpenRows(const std::vector<size_t>& rows)
{
    if (m_opening)
        return;
    m_opening = true;
    std::vector<PageCandidate> pages;
    for (size_t row : rows)
        pages.push_back(m_pages[row].page);
    std::vector<OpenOutcome> outcomes;
    std::vector<uint32_t> errors;
    {
        CBusyCommand busy;
        outcomes = ReopenCommand::Open(pages, m_options.tabs, &errors);
    }
    ReportAndClose(pages, outcomes, errors);
}

void CPageListDlg::OnCancel()
{
    if (m_opening)
        return;
    KillTimer(m_hWnd, kSearchTimer);
    StopIcons();
    StopSearches();
    m_reading.Stop();
    KeepPlacementAndColumns();
    EndDialog(IDCANCEL);
}

LRESULT CPageListDlg::OnEnterSizeMove(WPARAM, LPARAM)
{
    ::GetWindowRect(m_hWnd, &m_beforeSizeMove);
    return 0;
}

// A click on the caption moves nothing: only a place or size that changed is the user's.
LRESULT CPageListDlg::OnExitSizeMove(WPARAM, LPARAM)
{
    RECT now;
    if (::GetWindowRect(m_hWnd, &now) && !EqualRect(&now, &m_beforeSizeMove))
        m_userPlaced = true;
    return 0;
}

// Kept only what the user changed: a place and size he gave it, and the widths he gave columns.
void CPageListDlg::KeepPlacementAndColumns()
{
    RECT r;
    if (m_userPlaced && !IsZoomed(m_hWnd) && !::IsIconic(m_hWnd) && ::GetWindowRect(m_hWnd, &r)) {
        m_nLeft = r.left;
        m_nTop = r.top;
        m_nWidth = r.right - r.left;
        m_nHeight = r.bottom - r.top;
    }
    // A column as wide as it is made (the title: filling the list) is kept as "its own".
    for (int c = 0; c < PageTable::kColumns; ++c) {
        int width = m_list.GetColumnWidth(c);
        if (width > 0)
            m_nColumnWidths[c] = width == (c == PageTable::kTitle ? FittingTitleWidth() : DefaultColumnWidth(c)) ? 0 : width;
    }
}

void CPageListDlg::OnSize(UINT type, int cx, int cy)
{
    if (type == SIZE_MINIMIZED || m_anchored.empty())
        return;
    const int dx = cx - m_madeClient.cx, dy = cy - m_madeClient.cy;
    HDWP defer = BeginDeferWindowPos(static_cast<int>(m_anchored.size()));
    for (const Anchored& a : m_anchored) {
        RECT r = a.made;
        if (a.right)
            OffsetRect(&r, dx, 0);
        if (a.bottom)
            OffsetRect(&r, 0, dy);
        if (a.stretchX)
            r.right += dx;
        if (a.stretchY)
            r.bottom += dy;
        if (defer)
            defer = DeferWindowPos(defer, GetDlgItem(a.id), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    if (defer)
        EndDeferWindowPos(defer);
    // The title takes what the list gained or lost in width, never less than its heading.
    const int gained = cx - m_lastClient.cx;
    if (m_lastClient.cx > 0 && gained != 0) {
        const int title = m_list.GetColumnWidth(PageTable::kTitle);
        m_list.SetColumnWidth(PageTable::kTitle, std::max(title + gained, HeadingWidth(PageTable::kTitle)));
    }
    m_lastClient = { cx, cy };
    // Every control drawn anew where it stands now (Wine leaves moved buttons blank otherwise).
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void CPageListDlg::OnGetMinMaxInfo(MINMAXINFO* info)
{
    if (m_minTrack.cx > 0) {
        info->ptMinTrackSize.x = m_minTrack.cx;
        info->ptMinTrackSize.y = m_minTrack.cy;
    }
}

std::pair<std::string, std::wstring> CPageListDlg::IconSourceOf(size_t row) const
{
    if (m_windowsView) {
        const PageTable::Row& r = m_windowTable.At(row);
        const ReopenCommand::ListedWindow& w = m_windows[r.window];
        return { w.window.tabs[static_cast<size_t>(r.timeUs)].url, w.iconFile };
    }
    return { m_pages[row].page.url, m_pages[row].iconFile };
}

int CPageListDlg::ImageOf(size_t row) const
{
    const std::pair<std::string, std::wstring> source = IconSourceOf(row);
    if (source.second.empty())
        return 0;
    auto it = m_siteIcon.find(SiteIconRequests::SiteOf(source.first));
    return it == m_siteIcon.end() ? 0 : it->second;
}

void CPageListDlg::StopIcons()
{
    m_iconTask.Stop();
    m_iconsRunning = false;
    for (auto& found : m_iconsFound)
        if (found.second)
            DeleteObject(found.second);
    m_iconsFound.clear();
}

// The sites of the rows shown that have no icon yet, each asked of its profile's icons with a
// few of its pages; decoded on the task's thread.
void CPageListDlg::StartIcons()
{
    if (!m_icons || m_iconsRunning)
        return;  // the rows shown meanwhile are asked for when it ends
    SiteIconRequests asks;
    for (size_t row : Table().Shown()) {
        const std::pair<std::string, std::wstring> source = IconSourceOf(row);
        if (!m_siteIcon.count(SiteIconRequests::SiteOf(source.first)))
            asks.Add(source.first, source.second);
    }
    if (asks.Empty())
        return;
    m_iconsRunning = true;
    const unsigned number = ++m_iconsNumber;
    const int side = GetSystemMetrics(SM_CXSMICON);
    m_iconTask.Start(m_hWnd, WM_ICONS_DONE, [this, asks, number, side](const std::atomic<bool>& stop) {
        std::vector<std::pair<std::string, HBITMAP>> found;
        CImageDecoder decoder;
        asks.Read(stop, [&](const std::string& site, const std::string& bytes) {
            found.emplace_back(site, bytes.empty() ? nullptr : decoder.Decode(bytes.data(), bytes.size(), side));
        });
        m_iconsFound = std::move(found);
        m_iconsEnded = number;
    });
}

// The icons found join the list's images, and every row of their sites shows its own.
LRESULT CPageListDlg::OnIconsDone(WPARAM, LPARAM)
{
    if (!m_iconsRunning || m_iconsEnded != m_iconsNumber)
        return 0;
    m_iconTask.Stop();  // it has ended: what it wrote is ours now
    m_iconsRunning = false;
    for (auto& found : m_iconsFound) {
        int image = 0;
        if (found.second) {
            image = ImageList_Add(m_icons, found.second, nullptr);
            DeleteObject(found.second);
        }
        m_siteIcon.emplace(found.first, image < 0 ? 0 : image);
    }
    m_iconsFound.clear();
    for (int item = 0; item < m_list.GetItemCount(); ++item) {
        const size_t row = static_cast<size_t>(m_list.GetItemData(item));
        if (row < Table().Size())
            m_list.SetItemImage(item, ImageOf(row));
    }
    StartIcons();  // the rows shown meanwhile
    return 0;
}

#include "CPageListDlg.h"
#include "CSourcesDlg.h"
#include "OpenReport.h"
#include "../framework/AfxMessageBox.h"
#include "../framework/CBusyCommand.h"
#include "../framework/Clipboard.h"
#include "../framework/LocalTimeText.h"
#include "../framework/LocaleText.h"
#include "../framework/CMenu.h"
#include "../framework/CToolTipCtrl.h"
#include "../framework/CWinApp.h"
#include "../framework/NumberText.h"
#include "../text/AnsiText.h"
#include "../text/TitleText.h"
#include "../text/Utf8Text.h"
#include <commctrl.h>
#include <algorithm>

namespace {
constexpr UINT WM_LIST_PROGRESS = WM_APP + 1;
constexpr UINT WM_LIST_LOADED = WM_APP + 2;

// The columns' own widths, in dialog units.
constexpr int kColumnWidthsDu[PageTable::kColumns] = { 122, 95, 92, 70, 28 };
constexpr UINT kColumnHeadings[PageTable::kColumns] = { IDS_LIST_COLUMN_TITLE, IDS_LIST_COLUMN_ADDRESS,
                                                        IDS_LIST_COLUMN_SOURCE, IDS_LIST_COLUMN_TIME,
                                                        IDS_LIST_COLUMN_OPEN };

// A page as its row shows it: texts that web pages wrote cleaned, the address whole.
PageTable::Row RowOf(const ListedPage& listed)
{
    const PageCandidate& page = listed.page;
    PageTable::Row row;
    row.address = TitleText::Address(page.browser ? Utf8Text::ToWide(page.url) : AnsiText::ToWide(page.url));
    const std::wstring title = Utf8Text::ToWide(page.title);
    row.title = TitleText::Clean(title);
    row.copiedTitle = TitleText::Clean(title, TitleText::kLongestCopied);
    if (row.title.empty())
        row.title = TitleText::Clean(row.address);
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
    ON_BN_CLICKED(IDC_LIST_CHECK_ALL, OnCheckAll)
    ON_BN_CLICKED(IDC_LIST_CHECK_NONE, OnCheckNone)
    ON_BN_CLICKED(IDC_LIST_COPY, OnCopy)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_LIST_PAGES, OnItemChanged)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_LIST_PAGES, OnColumnClick)
    ON_NOTIFY(NM_DBLCLK, IDC_LIST_PAGES, OnDoubleClick)
    ON_NOTIFY(LVN_KEYDOWN, IDC_LIST_PAGES, OnListKeyDown)
    ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
    ON_MESSAGE(WM_ENTERSIZEMOVE, OnEnterSizeMove)
    ON_COMMAND(IDM_LIST_OPEN, OnOpenSelected)
    ON_COMMAND(IDM_LIST_COPY_ADDRESS, OnCopyAddresses)
    ON_COMMAND(IDM_LIST_COPY_TITLE, OnCopyTitles)
END_MESSAGE_MAP()

CPageListDlg::CPageListDlg(const ReopenOptions& options, size_t listCount, CWnd* pParent)
    : CDialog(IDD, pParent), m_options(options), m_listCount(listCount),
      m_table(PageTable::TextRules{ &LocaleText::Holds, &LocaleText::Compare })
{
}

// The reading is stopped and waited for before anything it writes goes.
CPageListDlg::~CPageListDlg() { m_reading.Stop(); }

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

    // Each control keeps its distance to the edges it is anchored to.
    // Laid out for the template's size, which the screen may have cut the window below.
    m_madeClient = TemplateClientSize();
    const struct { int id; bool right, bottom, stretchX, stretchY; } anchors[] = {
        { IDC_LIST_FILTER, false, false, false, false },   { IDC_LIST_STATUS, false, false, true, false },
        { IDC_LIST_PAGES, false, false, true, true },      { IDC_LIST_CHECK_ALL, false, true, false, false },
        { IDC_LIST_CHECK_NONE, false, true, false, false }, { IDC_LIST_COPY, false, true, false, false },
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

    m_loading = true;
    SetDlgItemTextW(m_hWnd, IDC_LIST_STATUS, AfxLoadString(IDS_LIST_LOADING).c_str());
    for (int id : { IDOK, IDC_LIST_CHECK_ALL, IDC_LIST_CHECK_NONE, IDC_LIST_COPY })
        EnableWindow(GetDlgItem(id), FALSE);
    const HWND self = m_hWnd;
    const ReopenOptions options = m_options;
    const size_t listCount = m_listCount;
    m_reading.Start(self, WM_LIST_LOADED, [this, self, options, listCount](const std::atomic<bool>& stop) {
        CBrowserSources::Progress progress;
        progress.stop = &stop;
        progress.step = [self](size_t done, size_t total) {
            PostMessageW(self, WM_LIST_PROGRESS, done, static_cast<LPARAM>(total));
        };
        std::vector<CBrowserSources::Unread> unread;
        std::vector<ListedPage> pages = ReopenCommand::List(options, listCount, progress, &unread);
        if (!stop) {
            m_loaded = std::move(pages);
            m_loadedUnread = std::move(unread);
        }
    });
    return TRUE;
}

LRESULT CPageListDlg::OnProgress(WPARAM done, LPARAM total)
{
    if (m_loading && total > 0)
        SetDlgItemTextW(m_hWnd, IDC_LIST_STATUS,
                        NumberText::FillIn(AfxLoadString(IDS_LIST_LOADING_PROFILES), { static_cast<long long>(done), total }).c_str());
    return 0;
}

LRESULT CPageListDlg::OnLoaded(WPARAM, LPARAM)
{
    if (!m_loading)
        return 0;
    m_reading.Stop();  // it has ended: what it wrote is ours now
    m_loading = false;
    m_pages = std::move(m_loaded);
    // The profiles that gave nothing, each with its browser, after the count of pages.
    std::wstring unread;
    for (const CBrowserSources::Unread& u : m_loadedUnread)
        unread += (unread.empty() ? std::wstring() : AfxLoadString(IDS_LIST_UNREAD_SEPARATOR)) + u.browser->displayName +
                  CSourcesDlg::UnreadText(u);
    SetDlgItemTextW(m_hWnd, IDC_LIST_UNREAD, unread.c_str());
    // The line may be too short for them all: its tip holds every one, wrapped.
    m_unreadTip.UpdateWindowTipText(m_hWnd, GetDlgItem(IDC_LIST_UNREAD), unread);
    std::vector<PageTable::Row> rows;
    rows.reserve(m_pages.size());
    for (const ListedPage& listed : m_pages)
        rows.push_back(RowOf(listed));
    m_table.SetRows(std::move(rows));
    Fill();
    // Once the rows are in: what works on them.
    for (int id : { IDC_LIST_CHECK_ALL, IDC_LIST_CHECK_NONE })
        EnableWindow(GetDlgItem(id), !m_pages.empty());
    if (m_pages.empty())
        SetDlgItemTextW(m_hWnd, IDC_LIST_STATUS, AfxLoadString(IDS_NO_URL_FOUND).c_str());
    return 0;
}

void CPageListDlg::Fill()
{
    m_filling = true;
    m_list.SetRedraw(FALSE);
    m_list.DeleteAllItems();
    const std::wstring mark = AfxLoadString(IDS_LIST_OPEN_MARK);
    int item = 0;
    for (size_t row : m_table.Shown()) {
        const PageTable::Row& r = m_table.At(row);
        m_list.InsertItem(item, r.title, static_cast<LPARAM>(row));
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

// The count of checked pages, and what can be done with them.
void CPageListDlg::ShowChecked()
{
    if (m_loading)
        return;
    const size_t checked = m_table.CheckedCount();
    const auto n = [](size_t count) { return static_cast<long long>(count); };
    if (!m_pages.empty())
        SetDlgItemTextW(m_hWnd, IDC_LIST_STATUS,
                        (m_table.Filter().empty()
                             ? NumberText::FillIn(AfxLoadString(IDS_LIST_CHECKED), { n(checked), n(m_table.Size()) })
                             : NumberText::FillIn(AfxLoadString(IDS_LIST_CHECKED_SHOWN),
                                                  { n(checked), n(m_table.Shown().size()), n(m_table.Size()) }))
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
    if (row < m_table.Size()) {
        m_table.SetChecked(row, ((change->uNewState & LVIS_STATEIMAGEMASK) >> 12) == 2);
        ShowChecked();
    }
}

void CPageListDlg::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const int column = reinterpret_cast<const NMLISTVIEW*>(pNMHDR)->iSubItem;
    if (column < 0 || column >= PageTable::kColumns)
        return;
    m_table.SortBy(static_cast<PageTable::Column>(column));
    m_list.SetSortArrow(column, m_table.Ascending() ? 1 : -1);
    Fill();
}

void CPageListDlg::OnFilterChange()
{
    std::wstring text = WindowTextOf(GetDlgItem(IDC_LIST_FILTER));
    m_table.SetFilter(text);
    Fill();
}

void CPageListDlg::CheckShown(bool checked)
{
    m_table.CheckShown(checked);
    m_filling = true;
    for (int item = 0; item < m_list.GetItemCount(); ++item) {
        const size_t row = static_cast<size_t>(m_list.GetItemData(item));
        m_list.SetCheck(item, row < m_table.Size() && m_table.At(row).checked);
    }
    m_filling = false;
    ShowChecked();
}

void CPageListDlg::OnCheckAll() { CheckShown(true); }

void CPageListDlg::OnCheckNone() { CheckShown(false); }

void CPageListDlg::OnCopy()
{
    if (m_loading || m_table.CheckedCount() == 0)
        return;
    CopyRows(m_table.CopyText());
}

// Ctrl+A checks every row shown, Ctrl+C copies the highlighted ones, as a list does (Space,
// the list's own key, turns the check of the focused row).
void CPageListDlg::OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const WORD key = reinterpret_cast<const NMLVKEYDOWN*>(pNMHDR)->wVKey;
    if (!(GetKeyState(VK_CONTROL) & 0x8000))
        return;
    if (key == 'A' && !m_loading && !m_pages.empty())
        CheckShown(true);
    else if (key == 'C')
        CopyRows(m_table.CopyText(SelectedRows()));
}

// The rows highlighted in the list, in the order shown.
std::vector<size_t> CPageListDlg::SelectedRows() const
{
    std::vector<size_t> rows;
    if (m_loading)
        return rows;
    for (int item : m_list.GetSelectedItems()) {
        const size_t row = static_cast<size_t>(m_list.GetItemData(item));
        if (row < m_table.Size())
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
    if (!rows.empty())
        OpenRows(m_table.OldestFirst(rows));
}

// Each highlighted row's address, one a line.
void CPageListDlg::OnCopyAddresses()
{
    std::wstring text;
    for (size_t row : SelectedRows())
        text += m_table.At(row).address + L"\r\n";
    CopyRows(text);
}

// Each highlighted row's whole title, one a line (an empty line for a page without one).
void CPageListDlg::OnCopyTitles()
{
    std::wstring text;
    for (size_t row : SelectedRows())
        text += m_table.At(row).copiedTitle + L"\r\n";
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
    if (row < m_pages.size())
        OpenRows({ row });
}

// Enter and "開く": the checked pages, oldest first.
void CPageListDlg::OnOK()
{
    if (m_loading || m_table.CheckedCount() == 0)
        return;
    OpenRows(m_table.CheckedOldestFirst());
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
    const std::wstring failures = OpenReport::Failures(pages, outcomes, errors);
    if (!failures.empty())
        AfxMessageBox(failures.c_str(), MB_OK | MB_ICONEXCLAMATION);
    m_opening = false;
    KeepPlacementAndColumns();
    EndDialog(IDOK);
}

void CPageListDlg::OnCancel()
{
    if (m_opening)
        return;
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

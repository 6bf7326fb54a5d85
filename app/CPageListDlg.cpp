#include "CPageListDlg.h"
#include "CSourcesDlg.h"
#include "OpenReport.h"
#include "../framework/AfxMessageBox.h"
#include "../framework/CBusyCommand.h"
#include "../framework/Clipboard.h"
#include "../framework/LocalTimeText.h"
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
    row.title = TitleText::Clean(Utf8Text::ToWide(page.title));
    if (row.title.empty())
        row.title = TitleText::Clean(row.address);
    row.source = page.browser ? std::wstring(page.browser->displayName) + L" / " + TitleText::Clean(page.profileName)
                              : AfxLoadString(IDS_LIST_URL_CACHE);
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
END_MESSAGE_MAP()

CPageListDlg::CPageListDlg(const ReopenOptions& options, size_t listCount, CWnd* pParent)
    : CDialog(IDD, pParent), m_options(options), m_listCount(listCount)
{
}

// The reading is stopped and waited for before anything it writes goes.
CPageListDlg::~CPageListDlg() { m_reading.Stop(); }

// As the dialog's units make it, and never narrower than its heading in this language.
int CPageListDlg::DefaultColumnWidth(int column) const
{
    RECT r = { 0, 0, kColumnWidthsDu[column], 8 };
    MapDialogRect(m_hWnd, &r);
    const int heading = m_list.GetStringWidth(AfxLoadString(kColumnHeadings[column])) + 2 * GetSystemMetrics(SM_CXEDGE) + 16;
    return std::max<int>(r.right, heading);
}

BOOL CPageListDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
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
    RECT client;
    GetClientRect(&client);
    m_madeClient = { client.right, client.bottom };
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
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    m_minTrack = { (window.right - window.left) * 4 / 5, (window.bottom - window.top) * 3 / 5 };

    // Where the user left it, when that is on a screen of this machine still.
    if (m_nWidth > 0 && m_nHeight > 0) {
        RECT placed = { m_nLeft, m_nTop, m_nLeft + m_nWidth, m_nTop + m_nHeight };
        if (MonitorFromRect(&placed, MONITOR_DEFAULTTONULL)) {
            SetWindowPos(m_hWnd, nullptr, m_nLeft, m_nTop, std::max<int>(m_nWidth, m_minTrack.cx),
                         std::max<int>(m_nHeight, m_minTrack.cy), SWP_NOZORDER | SWP_NOACTIVATE);
            KeepPlacement();
        }
    }

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
        unread += (unread.empty() ? std::wstring() : AfxLoadString(IDS_UNREAD_SEPARATOR)) + u.browser->displayName +
                  CSourcesDlg::UnreadText(u);
    SetDlgItemTextW(m_hWnd, IDC_LIST_UNREAD, unread.c_str());
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
    if (!m_pages.empty())
        SetDlgItemTextW(m_hWnd, IDC_LIST_STATUS,
                        NumberText::FillIn(AfxLoadString(IDS_LIST_CHECKED),
                                           { static_cast<long long>(checked), static_cast<long long>(m_table.Size()) })
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
    for (int item = 0; item < m_list.GetItemCount(); ++item)
        m_list.SetCheck(item, checked);
    m_filling = false;
    ShowChecked();
}

void CPageListDlg::OnCheckAll() { CheckShown(true); }

void CPageListDlg::OnCheckNone() { CheckShown(false); }

void CPageListDlg::OnCopy()
{
    if (m_loading || m_table.CheckedCount() == 0)
        return;
    if (!Clipboard::SetText(m_hWnd, m_table.CopyText()))
        AfxMessageBox(IDS_LIST_COPY_FAILED, MB_OK | MB_ICONEXCLAMATION);
}

// Ctrl+A checks every row shown, Ctrl+C copies the checked ones (Space, the list's own key,
// turns the check of the focused row).
void CPageListDlg::OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const WORD key = reinterpret_cast<const NMLVKEYDOWN*>(pNMHDR)->wVKey;
    if (!(GetKeyState(VK_CONTROL) & 0x8000))
        return;
    if (key == 'A' && !m_loading && !m_pages.empty())
        CheckShown(true);
    else if (key == 'C')
        OnCopy();
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

LRESULT CPageListDlg::OnExitSizeMove(WPARAM, LPARAM)
{
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
    for (int c = 0; c < PageTable::kColumns; ++c) {
        int width = m_list.GetColumnWidth(c);
        if (width > 0)
            m_nColumnWidths[c] = width == DefaultColumnWidth(c) ? 0 : width;
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
                                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (defer)
        EndDeferWindowPos(defer);
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CPageListDlg::OnGetMinMaxInfo(MINMAXINFO* info)
{
    if (m_minTrack.cx > 0) {
        info->ptMinTrackSize.x = m_minTrack.cx;
        info->ptMinTrackSize.y = m_minTrack.cy;
    }
}

#include "CReopenDlg.h"
#include "CExitQueryDlg.h"
#include "CPageListDlg.h"
#include "CSourcesDlg.h"
#include "ClosePolicy.h"
#include "OpenReport.h"
#include "CountRange.h"
#include "SettingsTable.h"
#include "../controls/CVersionDlg.h"
#include "../controls/ShellErrors.h"
#include "../framework/AfxMessageBox.h"
#include "../framework/CBusyCommand.h"
#include "../framework/CDataExchange.h"
#include "../framework/CMenu.h"
#include "../reopen/ReopenCommand.h"
#include "../framework/CPaintDC.h"
#include "../framework/CWinApp.h"
#include <commctrl.h>
#include <shellapi.h>

BEGIN_MESSAGE_MAP(CReopenDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_BN_CLICKED(IDC_REOPEN, OnReopen)
    ON_NOTIFY(UDN_DELTAPOS, IDC_COUNT_SPIN, OnDeltaPosCountSpin)
    ON_EN_UPDATE(IDC_COUNT, OnUpdateCount)
    ON_BN_CLICKED(IDC_VERSION, OnVersion)
    ON_STN_CLICKED(IDC_HOT_ICON, OnIconClicked)
    ON_BN_CLICKED(IDC_README, OnReadme)
    ON_WM_SYSCOMMAND()
    ON_COMMAND(IDM_LIST, OnList)
    ON_COMMAND(IDM_WINDOWS, OnWindows)
    ON_COMMAND(IDM_SOURCES, OnSources)
    ON_NOTIFY(BCN_DROPDOWN, IDC_REOPEN, OnReopenMenu)
END_MESSAGE_MAP()

CReopenDlg::CReopenDlg(CWnd* pParent)
    : CDialog(IDD, pParent),
      m_hIcon(LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME)))
{
    SettingsTable<CReopenDlg>::SetDefaults(*this);
}

CReopenDlg::~CReopenDlg() = default;

void CReopenDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_TARGET_HTTP, m_bTargetHttp);
    DDX_Check(pDX, IDC_DISABLE_ALREADY_OPEN, m_bDisableAlreadyOpen);
    DDX_Check(pDX, IDC_CLOSE_AFTER_EXECUTE, m_bCloseAfterExecute);
    DDX_Text(pDX, IDC_COUNT, m_nOpenNumber);
    DDV_MinMaxUInt(pDX, m_nOpenNumber, CountRange::kMin, CountRange::kMax);
    DDX_Control(pDX, IDC_HOT_ICON, m_hotIcon);
    DDX_Check(pDX, IDC_ONLY_MY_HISTORY, m_bOnlyMyHistory);
    DDX_Control(pDX, IDC_REOPEN, m_reopenButton);
}

BOOL CReopenDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    WidenStaticTexts();
    if (HMENU menu = GetSystemMenu(m_hWnd, FALSE)) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, IDM_LIST, AfxLoadString(IDS_MENU_LIST).c_str());
        AppendMenuW(menu, MF_STRING, IDM_WINDOWS, AfxLoadString(IDS_MENU_WINDOWS).c_str());
        AppendMenuW(menu, MF_STRING, IDM_SOURCES, AfxLoadString(IDS_MENU_SOURCES).c_str());
    }
    // Ctrl+L, Ctrl+W and Ctrl+B always; the button's menu only where there is more than the URL cache.
    static const ACCEL keys[] = { { FCONTROL | FVIRTKEY, 'L', IDM_LIST },
                                  { FCONTROL | FVIRTKEY, 'W', IDM_WINDOWS },
                                  { FCONTROL | FVIRTKEY, 'B', IDM_SOURCES } };
    SetAccelerators(keys, 3);
    if (ReopenCommand::AnyBrowserFound())
        m_reopenButton.EnableSplit();
    return TRUE;
}

// The split button's arrow, or Alt+Down on it: the system menu's items with their keys.
void CReopenDlg::OnReopenMenu(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CMenu menu;
    menu.AppendItem(IDM_LIST, AfxLoadString(IDS_MENU_LIST), L"Ctrl+L");
    menu.AppendItem(IDM_WINDOWS, AfxLoadString(IDS_MENU_WINDOWS), L"Ctrl+W");
    menu.AppendItem(IDM_SOURCES, AfxLoadString(IDS_MENU_SOURCES), L"Ctrl+B");
    menu.Show(m_hWnd, m_reopenButton.MenuCorner());
}

void CReopenDlg::OnOK() { CDialog::OnOK(); }

// Esc, the close box, Alt+F4: save, discard or stay, as the close policy decides.
void CReopenDlg::OnCancel()
{
    int decision;
    if (m_bQueryCancelExit) {
        CExitQueryDlg question;
        int answer = static_cast<int>(question.DoModal());
        decision = ClosePolicy::AfterQuestion(answer, question.m_bNoMoreQuery, m_bQueryCancelExit,
                                              m_bQueryCancelExitSaving);
    } else {
        decision = ClosePolicy::Remembered(m_bQueryCancelExitSaving);
    }
    if (decision == ClosePolicy::SAVE_AND_CLOSE)
        CDialog::OnOK();
    else if (decision == ClosePolicy::CLOSE_WITHOUT_SAVING)
        CDialog::OnCancel();
}

void CReopenDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
    int cxIcon = GetSystemMetrics(SM_CXICON);
    int cyIcon = GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    int x = (rect.right - rect.left - cxIcon + 1) / 2;
    int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    DrawIcon(dc.m_hDC, x, y, m_hIcon);
}

HCURSOR CReopenDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

// The spin control runs the other way round by default: make its up arrow count up.
void CReopenDlg::OnDeltaPosCountSpin(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMUPDOWN* pNMUpDown = reinterpret_cast<NMUPDOWN*>(pNMHDR);
    pNMUpDown->iDelta = -pNMUpDown->iDelta;
    *pResult = 0;
}

// Keeps the count field within range while the user types; an empty field stays empty.
void CReopenDlg::OnUpdateCount()
{
    BOOL translated = FALSE;
    int value = static_cast<int>(GetDlgItemInt(IDC_COUNT, &translated, TRUE));
    int clamped = 0;
    if (translated && CountRange::Clamp(value, &clamped)) {
        SetDlgItemInt(IDC_COUNT, static_cast<UINT>(clamped), TRUE);
        // Setting the text puts the caret first; typing goes on at the end.
        LRESULT end = ::SendDlgItemMessageW(m_hWnd, IDC_COUNT, WM_GETTEXTLENGTH, 0, 0);
        ::SendDlgItemMessageW(m_hWnd, IDC_COUNT, EM_SETSEL, static_cast<WPARAM>(end), end);
    }
}

// Opens again the latest visited pages, oldest first, each in a new browser window.
void CReopenDlg::OnReopen()
{
    // After a failed exchange the user has been told; nothing runs on values not shown.
    if (!UpdateData(TRUE))
        return;
    // The command can run for seconds; a click that arrives meanwhile must not start it again,
    // neither from the queue afterwards nor from a message loop that a COM call runs.
    if (m_bReopening)
        return;
    m_bReopening = true;
    struct Running {
        bool& flag;
        ~Running() { flag = false; }
    } running{ m_bReopening };
    const ReopenOptions options = Options();
    std::vector<PageCandidate> pages;
    ReopenCommand::Nothing why;
    std::vector<OpenOutcome> outcomes;
    std::vector<uint32_t> errors;
    {
        CBusyCommand busy;
        pages = ReopenCommand::Select(options, &why);
        outcomes = ReopenCommand::Open(pages, options.tabs, &errors);
    }
    if (pages.empty()) {
        AfxMessageBox(OpenReport::NothingFound(why).c_str(), MB_OK);
        return;
    }
    const std::wstring failures = OpenReport::Failures(pages, outcomes, errors);
    if (!failures.empty())
        AfxMessageBox(failures.c_str(), MB_OK | MB_ICONEXCLAMATION);
    if (m_bCloseAfterExecute)
        EndDialog(IDOK);
}

void CReopenDlg::OnReadme()
{
    const std::wstring& path = AfxGetApp()->m_strModulePath;
    size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos)
        return;
    // The guide in the language the program speaks: readme.txt, or readme-en.txt.
    std::wstring readme = path.substr(0, slash + 1) + AfxLoadString(IDS_README_FILE);
    // Looked for first: the shell would answer a missing file with a message of its own.
    UINT problem = 0;
    if (GetFileAttributesW(readme.c_str()) == INVALID_FILE_ATTRIBUTES)
        problem = IDS_README_NOT_FOUND;
    else if (!OpenSucceeded(reinterpret_cast<INT_PTR>(
                 ShellExecuteW(m_hWnd, nullptr, readme.c_str(), nullptr, nullptr, SW_SHOWNORMAL))))
        problem = IDS_README_NOT_OPENED;
    if (problem)
        AfxMessageBox((AfxLoadString(problem) + readme).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

// A fresh version dialog each time, owned by this one.
void CReopenDlg::OnVersion()
{
    CVersionDlg dlg;
    dlg.DoModal();
}

void CReopenDlg::OnIconClicked() { OnVersion(); }

void CReopenDlg::OnSysCommand(UINT nID, LPARAM)
{
    if ((nID & 0xFFF0) == IDM_SOURCES)
        OnSources();
    else if ((nID & 0xFFF0) == IDM_LIST)
        OnList();
    else if ((nID & 0xFFF0) == IDM_WINDOWS)
        OnWindows();
    else
        Default();
}

ReopenOptions CReopenDlg::Options() const
{
    ReopenOptions options = ReopenOptions::FromSettings(m_nOpenNumber, m_bTargetHttp, m_bDisableAlreadyOpen,
                                                        m_bOnlyMyHistory, m_sources);
    options.tabs = m_bTabsInOneWindow != 0;
    return options;
}

// The list reads with the filters and the count as the dialog shows them now; it keeps its
// place, size and column widths for the next time.
void CReopenDlg::OnList()
{
    if (m_bReopening || !UpdateData(TRUE))
        return;
    ShowList();
}

void CReopenDlg::OnWindows()
{
    if (m_bReopening || !UpdateData(TRUE))
        return;
    ShowList(true);
}

void CReopenDlg::ShowList(bool windows)
{
    CPageListDlg dlg(Options(), m_nListNumber, windows);
    int* const placement[] = { &m_nListLeft, &m_nListTop, &m_nListWidth, &m_nListHeight };
    int* const widths[PageTable::kColumns] = { &m_nListTitleWidth, &m_nListAddressWidth, &m_nListSourceWidth,
                                               &m_nListTimeWidth, &m_nListOpenWidth };
    int* const into[] = { &dlg.m_nLeft, &dlg.m_nTop, &dlg.m_nWidth, &dlg.m_nHeight };
    for (size_t i = 0; i < 4; ++i)
        *into[i] = *placement[i];
    for (int c = 0; c < PageTable::kColumns; ++c)
        dlg.m_nColumnWidths[c] = *widths[c];
    // Shown without the main dialog (the command line), the list is the program's window.
    CWinApp* app = AfxGetApp();
    const bool alone = app && !app->m_pMainWnd;
    if (alone)
        app->m_pMainWnd = &dlg;
    dlg.DoModal();
    if (alone)
        app->m_pMainWnd = nullptr;
    for (size_t i = 0; i < 4; ++i)
        *placement[i] = *into[i];
    for (int c = 0; c < PageTable::kColumns; ++c)
        *widths[c] = dlg.m_nColumnWidths[c];
}

// The profiles are looked for now, when the user asks, not at start-up.
void CReopenDlg::OnSources()
{
    CSourcesDlg dlg;
    {
        CBusyCommand busy;  // the profiles only: their histories are read while the dialog shows
        dlg.m_browsers = ReopenCommand::FindProfiles(&dlg.m_found);
    }
    dlg.m_sources = m_sources;
    dlg.m_bTabs = m_bTabsInOneWindow;
    if (dlg.DoModal() != IDOK)
        return;
    SettingsTable<CReopenDlg>::SetSection(*this, L"BROWSERS", dlg.m_sources);
    m_bTabsInOneWindow = dlg.m_bTabs;
}

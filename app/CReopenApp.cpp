#include "CReopenApp.h"
#include "CReopenDlg.h"
#include "CSettingsFile.h"
#include "OpenReport.h"
#include "SettingsRules.h"
#include "SettingsTable.h"
#include "UiLanguage.h"
#include "../framework/AfxMessageBox.h"
#include "../framework/CBusyCommand.h"
#include "../framework/CMutex.h"
#include "../framework/ResourceLanguage.h"
#include "../reopen/ReopenCommand.h"
#include <shellapi.h>
#include <cstdlib>
#include <algorithm>

CReopenApp theApp;

namespace {
// Shared by every copy of the program, whatever its name or folder.
const wchar_t kMutexName[] = L"Backtracker:二重起動はできないわよー";
// Held by a start that reopens without its dialog, while it runs.
const wchar_t kReopenMutexName[] = L"Backtracker:reopen";
}

CReopenApp::CReopenApp() = default;

// The copy that runs shows its dialog in front, restored if it was minimised, so that a start
// that ends at once is seen to have done something. Its main dialog is the dialog titled
// "Backtracker" that no other window owns (the exit question and message boxes carry the same
// title but are owned by it); a dialog it has open in front of it comes forward with it. A copy
// that shows only the list shows it titled "... - Backtracker". With `showList`, a main dialog
// that has nothing open in front of it opens its list (with `windows`, in its view of the last
// windows), as its menu would.
void CReopenApp::BringRunningCopyToFront(bool showList, bool windows)
{
    struct Found {
        HWND main = nullptr, list = nullptr;
    } found;
    EnumWindows([](HWND wnd, LPARAM param) -> BOOL {
        Found& f = *reinterpret_cast<Found*>(param);
        wchar_t cls[16] = {}, title[128] = {};
        GetClassNameW(wnd, cls, 16);
        const int length = GetWindowTextW(wnd, title, 128);
        if (lstrcmpW(cls, L"#32770") || GetWindow(wnd, GW_OWNER))
            return TRUE;
        const wchar_t tail[] = L" - Backtracker";
        const int tailLength = static_cast<int>(sizeof tail / sizeof tail[0]) - 1;
        if (lstrcmpW(title, L"Backtracker") == 0)
            f.main = wnd;
        else if (length > tailLength && lstrcmpW(title + length - tailLength, tail) == 0 && !f.list)
            f.list = wnd;
        return f.main ? FALSE : TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    HWND wnd = found.main ? found.main : found.list;
    if (!wnd)
        return;
    if (IsIconic(wnd))
        ShowWindow(wnd, SW_RESTORE);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    AllowSetForegroundWindow(pid);
    SetForegroundWindow(GetLastActivePopup(wnd));
    if (showList && found.main && IsWindowEnabled(found.main))
        PostMessageW(found.main, WM_SYSCOMMAND, windows ? IDM_WINDOWS : IDM_LIST, 0);
}

namespace {
// The arguments after the program's name, as the user typed them (the wide command line: an
// argument vector in the ANSI code page would lose what it cannot hold). The C runtime has
// split it already, by the same rules as CommandLineToArgvW, whose library (the shell) would
// otherwise be loaded at every start.
std::vector<std::u16string> Arguments()
{
    std::vector<std::u16string> arguments;
    for (int i = 1; __wargv && i < __argc; ++i)
        arguments.emplace_back(reinterpret_cast<const char16_t*>(__wargv[i]));
    return arguments;
}
}

BOOL CReopenApp::InitInstance()
{
    CSettingsFile settings(SettingsRules::SettingsPath(m_strModulePath));
    const std::wstring language = settings.ReadString(L"UI", L"Language");
    ResourceLanguage::Set(UiLanguage::ResourceTag(UiLanguage::Choose(
        std::u16string(language.begin(), language.end()), GetUserDefaultUILanguage())));

    const CommandLine::Parsed command = CommandLine::Parse(Arguments());
    if (command.action == CommandLine::Usage || command.action == CommandLine::Bad) {
        ShowUsage(command);
        m_exitCode = command.action == CommandLine::Bad ? 2 : 0;
        return FALSE;
    }
    if (!AfxOleInit()) {
        AfxMessageBox(IDS_FATAL_OLE_INIT);
        m_exitCode = 2;
        return FALSE;
    }
    // A start that only reopens shows no dialog: it runs beside a copy that shows one. One
    // such start at a time: a second one (a shortcut clicked twice, the logon task and the
    // user at once) leaves the job to the one that runs, which opens each page once.
    if (command.action == CommandLine::Reopen || command.action == CommandLine::Restore) {
        CMutex reopening(FALSE, kReopenMutexName);
        m_exitCode = reopening.Lock(0)
                         ? ReopenWithoutDialog(settings, command.quiet, command.action == CommandLine::Restore)
                         : CommandLine::kAllOpened;
        reopening.Unlock();
        return FALSE;
    }
    CMutex guard(FALSE, kMutexName);
    if (!guard.Lock(0)) {
        // The list asked for beside a running copy: that copy shows it.
        BringRunningCopyToFront(command.action == CommandLine::List, command.windows);
        return FALSE;
    }

    CReopenDlg dlg;
    settings.Load(dlg);
    if (command.action == CommandLine::List) {
        ShowListOnly(dlg, settings, command.windows);
    } else {
        m_pMainWnd = &dlg;
        if (dlg.DoModal() == IDOK)
            Save(dlg, settings);
        m_pMainWnd = nullptr;
    }
    guard.Unlock();
    return FALSE;
}

void CReopenApp::ShowUsage(const CommandLine::Parsed& command)
{
    std::wstring text = AfxLoadString(IDS_USAGE);
    if (command.action == CommandLine::Bad)
        text = AfxLoadString(IDS_BAD_SWITCH) + std::wstring(command.bad.begin(), command.bad.end()) + L"\n\n" + text;
    AfxMessageBox(text.c_str(), MB_OK | (command.action == CommandLine::Bad ? MB_ICONEXCLAMATION : MB_ICONINFORMATION));
}

// As the main dialog's button with the settings file's options (with `windows`, every last
// window of the chosen browsers that do not run now: ReopenCommand::OpenWindows, a profile
// whose browser restores by itself started with no page); its "nothing found" message unless
// `quiet`.
int CReopenApp::ReopenWithoutDialog(const CSettingsFile& settings, bool quiet, bool windows)
{
    if (!settings.IsReadable()) {
        AfxMessageBox((AfxLoadString(IDS_SETTINGS_UNREADABLE) + settings.Path()).c_str(), MB_OK | MB_ICONEXCLAMATION);
        return CommandLine::kError;
    }
    CReopenDlg dlg;  // its settings only: no window is made
    settings.Load(dlg);
    const ReopenOptions options = dlg.Options();
    std::vector<PageCandidate> pages;
    ReopenCommand::Nothing why;
    std::vector<OpenOutcome> outcomes;
    std::vector<uint32_t> errors;
    {
        CBusyCommand busy;
        if (windows) {
            std::vector<ReopenCommand::ListedWindow> last = ReopenCommand::Windows(options, CBrowserSources::Progress());
            last.erase(std::remove_if(last.begin(), last.end(),
                                      [](const ReopenCommand::ListedWindow& w) { return w.openNow || w.program.empty(); }),
                       last.end());
            outcomes = ReopenCommand::OpenWindows(last, true, &pages, &errors);
        } else {
            pages = ReopenCommand::Select(options, &why);
            outcomes = ReopenCommand::Open(pages, options.tabs, &errors);
        }
    }
    if (pages.empty()) {
        if (!quiet)
            AfxMessageBox(windows ? AfxLoadString(IDS_NO_WINDOW_FOUND).c_str() : OpenReport::NothingFound(why).c_str(), MB_OK);
        return CommandLine::kNothingFound;
    }
    // What failed is told even with /quiet: that silences only "nothing found".
    const std::wstring failures = OpenReport::Failures(pages, outcomes, errors);
    if (!failures.empty())
        AfxMessageBox(failures.c_str(), MB_OK | MB_ICONEXCLAMATION);
    return CommandLine::ExitCode(pages.size(),
                                 static_cast<size_t>(std::count(outcomes.begin(), outcomes.end(), OpenOutcome::Opened)));
}

// The list of recent pages on its own; where the user left it is kept as the main dialog keeps
// it, when it changed.
void CReopenApp::ShowListOnly(CReopenDlg& dlg, CSettingsFile& settings, bool windows)
{
    const std::map<std::string, int> before = SettingsTable<CReopenDlg>::Section(dlg, L"LIST");
    dlg.ShowList(windows);
    if (SettingsTable<CReopenDlg>::Section(dlg, L"LIST") != before)
        Save(dlg, settings);
}

// Writes the settings; says which file could not be written.
void CReopenApp::Save(const CReopenDlg& dlg, CSettingsFile& settings)
{
    if (!settings.Save(dlg)) {
        std::wstring text = AfxLoadString(IDS_SETTINGS_NOT_SAVED) + settings.Path();
        AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
    }
}

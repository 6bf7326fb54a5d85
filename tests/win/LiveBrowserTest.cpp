// The reopen command against a real browser (Debian's Chromium or Firefox ESR, headless) that
// tests/live/chromium.sh or firefox.sh runs with its profile where a Windows user's browser keeps
// it, on loopback pages it serves: the history and session files are the browser's own, written
// while the program reads them. The script runs one test at a time and says which browser
// (BT_LIVE_BROWSER), which pages it showed, oldest first (BT_LIVE_PAGES, comma-separated) and
// which of them are open in a tab now (BT_LIVE_OPEN), and the windows it has for the phases of
// its last windows (BT_LIVE_WINDOWS: each window's pages comma-separated, windows by ";", the
// first page pinned); the program opens pages through a fake browser program that records them.
#include "AppDriver.h"
#include "WinDriver.h"
#include "../../history/Browsers.h"
#include "../../history/CBrowserProfiles.h"
#include "../../history/CLastSession.h"
#include "../../history/VisitTime.h"
#include "../../reopen/CBrowserSources.h"
#include "../../res/resource.h"
#include "../../text/Utf8Text.h"
#include <gtest/gtest.h>
#include <shlobj.h>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace WinDriver;

namespace {
std::vector<std::string> Split(const char* text)
{
    std::vector<std::string> parts;
    std::stringstream in(text ? text : "");
    for (std::string part; std::getline(in, part, ',');)
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

std::wstring Own(const wchar_t* name)
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L'\\')) + L"\\" + name;
}

// The pages a fresh reading of a profile's history holds, newest first, read as the program
// reads; `read` says whether it could be read.
std::vector<std::string> Read(const BrowserProfile& profile, bool* read = nullptr)
{
    LatestVisits latest(50, VisitTime::NowUs(), true);
    const bool ok = !!CBrowserSources::ReadHistory(profile, latest);
    if (read)
        *read = ok;
    std::vector<std::string> urls;
    for (const BrowserVisit& v : latest.Visits())
        urls.push_back(v.url);
    return urls;
}

// The same of the live browser's history.
std::vector<std::string> Read(const std::wstring& history, bool firefox)
{
    BrowserProfile profile;
    profile.browser = Browsers::Find(firefox ? "Firefox" : "Chromium");
    profile.history = history;
    return Read(profile);
}

// Copies what the readers use of a browser's data folder (`files`, relative, those that are
// there) into another folder; false when the first is missing.
bool CopyFiles(const std::wstring& from, const std::wstring& to, const std::vector<std::wstring>& files)
{
    for (const std::wstring& file : files) {
        const std::wstring target = to + L"\\" + file;
        MakeFolders(target.substr(0, target.find_last_of(L'\\')));
        if (!CopyFileW((from + L"\\" + file).c_str(), target.c_str(), FALSE) && &file == &files.front())
            return false;
    }
    return true;
}

// The addresses the fake Chromium was started with, one start each.
std::vector<std::string> Opened(const std::wstring& record)
{
    std::vector<std::string> opened;
    std::ifstream in(Utf8Text::FromWide(record), std::ios::binary);
    std::string last;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() && !last.empty())
            opened.push_back(last);
        last = line;
    }
    return opened;
}

class LiveBrowser : public testing::Test {
protected:
    void SetUp() override
    {
        const char* browser = getenv("BT_LIVE_BROWSER");
        m_pages = Split(getenv("BT_LIVE_PAGES"));
        for (const std::string& url : Split(getenv("BT_LIVE_OPEN")))
            m_open.insert(url);
        std::stringstream windows(getenv("BT_LIVE_WINDOWS") ? getenv("BT_LIVE_WINDOWS") : "");
        for (std::string window; std::getline(windows, window, ';');)
            m_windows.push_back(Split(window.c_str()));
        if (!browser || m_pages.empty())
            GTEST_SKIP() << "run by tests/live/chromium.sh and firefox.sh";
        m_firefox = std::string(browser) == "firefox";
        const std::wstring local = KnownFolder(FOLDERID_LocalAppData), roaming = KnownFolder(FOLDERID_RoamingAppData);
        m_history = m_firefox ? roaming + L"\\Mozilla\\Firefox\\Profiles\\live.default\\places.sqlite"
                              : local + L"\\Chromium\\User Data\\Default\\History";
        m_lockFile = m_firefox ? roaming + L"\\Mozilla\\Firefox\\Profiles\\live.default\\parent.lock"
                               : local + L"\\Chromium\\User Data\\lockfile";
        // The fake program where the browser installs it: Chromium for the user beside its data,
        // Firefox under the program files.
        m_program = m_firefox ? FileSystemExpand(L"%ProgramFiles%\\Mozilla Firefox\\firefox.exe")
                              : local + L"\\Chromium\\Application\\chrome.exe";
        MakeFolders(m_program.substr(0, m_program.find_last_of(L'\\')));
        ASSERT_TRUE(CopyFileW(Own(L"bt_record_args.exe").c_str(), m_program.c_str(), FALSE));
        m_record = TempFolder() + L"bt-live-started.txt";
        DeleteFileW(m_record.c_str());
        SetEnvironmentVariableW(L"BT_RECORD_ARGV_FILE", m_record.c_str());
    }
    void TearDown() override
    {
        if (m_lock.hProcess) {
            TerminateProcess(m_lock.hProcess, 3);
            WaitForSingleObject(m_lock.hProcess, 10000);
            CloseHandle(m_lock.hProcess);
            CloseHandle(m_lock.hThread);
        }
        if (!m_record.empty())
            DeleteFileW(m_record.c_str());
        if (!m_program.empty())
            RemoveTree(m_program.substr(0, m_program.find_last_of(L'\\')));
    }

    static std::wstring FileSystemExpand(const wchar_t* text)
    {
        wchar_t expanded[MAX_PATH];
        ExpandEnvironmentStringsW(text, expanded, MAX_PATH);
        return expanded;
    }

    // The lock file held as the running browser holds it on Windows (the Linux builds make
    // other ones).
    void HoldLock()
    {
        const std::wstring event = L"BtLiveLock" + std::to_wstring(GetCurrentProcessId());
        HANDLE held = CreateEventW(nullptr, TRUE, FALSE, event.c_str());
        std::wstring line = L"\"" + Own(L"bt_hold_lock.exe") + L"\" " + (m_firefox ? L"firefox" : L"chromium") + L" \"" +
                            m_lockFile + L"\" " + event;
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        ASSERT_TRUE(CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_lock));
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(held, 20000));
        CloseHandle(held);
    }

    // Waits until the browser has written every page to its history, read as the program reads.
    void WaitUntilWritten()
    {
        std::vector<std::string> newestFirst(m_pages.rbegin(), m_pages.rend());
        EXPECT_TRUE(WaitFor([&] { return Read(m_history, m_firefox) == newestFirst; }, 60000))
            << "the browser's history did not come to hold the pages it showed";
    }

    // One press with the already-open option as given: the addresses opened, in order.
    std::vector<std::string> Press(bool skipOpen)
    {
        DeleteFileW(m_record.c_str());
        AppDriver app(skipOpen ? L"LiveBrowserSkip" : L"LiveBrowserAll");
        app.WriteIni(std::string("[OPTION]\r\nOpenNumber=16\r\nQueryCancelExit=0\r\nDisableAlreadyOpen=") +
                     (skipOpen ? "1" : "0") + "\r\n[BROWSERS]\r\nInternetExplorer=0\r\n");
        EXPECT_TRUE(app.Start());
        HWND dlg = app.WaitMainDialog();
        EXPECT_TRUE(dlg);
        if (!dlg)
            return {};
        PostClick(dlg, IDC_REOPEN);
        DWORD_PTR ignored = 0;
        Sleep(500);
        SendMessageTimeoutW(dlg, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &ignored);
        Sleep(1000);
        if (HWND box = FindMessageBox(app.Pid()))
            PostClick(box, IDOK);
        PostClick(dlg, IDOK);
        app.WaitExit();
        return Opened(m_record);
    }

    // The live profile as the program finds it.
    BrowserProfile Profile()
    {
        for (const BrowserProfile& p : CBrowserProfiles::Find())
            if (p.history == m_history)
                return p;
        return BrowserProfile();
    }

    // Waits until the browser's session holds the windows the script made, read as the program
    // reads it: true when it does. Firefox's with their pages' titles (it saves a tab before
    // its page has loaded, then again); Chromium's headless build saves none of them.
    bool WaitForWindows()
    {
        const BrowserProfile profile = Profile();
        if (!profile.browser)
            return false;
        return WaitFor([&] {
            std::vector<std::vector<std::string>> windows;
            for (const SessionWindow& w : CLastSession::Read(profile).windows) {
                windows.emplace_back();
                for (const SessionTab& t : w.tabs)
                    windows.back().push_back(t.url + "|" + (m_firefox ? t.title : "") + (t.pinned ? " pinned" : ""));
            }
            std::vector<std::vector<std::string>> expected = m_windows;
            for (auto& window : expected)
                for (std::string& url : window)
                    url += m_firefox ? u8"|ページ " + url.substr(url.size() - 6, 1) : "|";
            expected.front().front() += " pinned";
            return windows == expected;
        }, 60000);
    }

    // The list's view of the last windows, started with /list /windows: its rows, each
    // "heading | note" or "title | address | ... [x]"; closed again.
    std::vector<std::wstring> WindowsView()
    {
        AppDriver app(L"LiveBrowserWindows");
        app.WriteIni("[OPTION]\r\nQueryCancelExit=0\r\n[BROWSERS]\r\nInternetExplorer=0\r\n");
        std::vector<std::wstring> rows;
        if (!app.Start(L"/list /windows"))
            return rows;
        HWND list = WaitDialogWithControl(app.Pid(), IDC_LIST_PAGES);
        if (list && WaitFor([&] { return IsWindowEnabled(GetDlgItem(list, IDC_LIST_CHECK_ALL)) != FALSE; }, 60000)) {
            for (const ListRow& r : ListRows(GetDlgItem(list, IDC_LIST_PAGES))) {
                std::wstring row;
                for (const std::wstring& text : r.texts)
                    row += (row.empty() ? L"" : L" | ") + text;
                rows.push_back(row + (r.checked ? L" [x]" : L""));
            }
        }
        if (list)
            PostClick(list, IDCANCEL);
        app.WaitExit();
        return rows;
    }

    // /restore: its exit code, and each start's arguments after the program.
    std::pair<DWORD, std::vector<std::vector<std::string>>> Restore()
    {
        DeleteFileW(m_record.c_str());
        AppDriver app(L"LiveBrowserRestore");
        app.WriteIni("[OPTION]\r\nQueryCancelExit=0\r\n[BROWSERS]\r\nInternetExplorer=0\r\n");
        if (!app.Start(L"/restore /quiet"))
            return {};
        DWORD code = STILL_ACTIVE;
        WaitFor([&] {
            if (HWND box = FindMessageBox(app.Pid()))
                PostClick(box, IDOK);
            code = app.WaitExit(500);
            return code != STILL_ACTIVE;
        }, 60000);
        Sleep(500);
        std::vector<std::vector<std::string>> starts = RecordedStarts(m_record);
        for (auto& start : starts)
            start.erase(start.begin());
        return { code, starts };
    }

    // The rows the view shows for the script's windows: a heading each, then its tabs.
    std::vector<std::wstring> ExpectedRows(bool open)
    {
        std::vector<std::wstring> rows;
        const std::wstring source = m_firefox ? L"Mozilla Firefox / live" : L"Chromium / ";
        for (size_t w = 0; w < m_windows.size(); ++w) {
            rows.push_back(L"heading " + std::to_wstring(w + 1));
            for (size_t t = 0; t < m_windows[w].size(); ++t) {
                const std::wstring url = Utf8Text::ToWide(m_windows[w][t]);
                const std::wstring page = L"ページ " + url.substr(url.size() - 6, 1);
                rows.push_back(page + L" | " + url + L" |  | " + (w == 0 && t == 0 ? L"●" : L"") + L" | " +
                               (open ? L"●" : L"") + (open ? L"" : L" [x]"));
            }
        }
        return rows;
    }
    // The view's rows with each heading written as ExpectedRows writes it, once it was checked.
    std::vector<std::wstring> Shown(const std::vector<std::wstring>& rows, bool open)
    {
        std::vector<std::wstring> shown;
        int heading = 0;
        for (const std::wstring& row : rows) {
            if (row.find(L"ウィンドウ ") == std::wstring::npos) {
                // A page without a title shows its address: Chromium's, as it saved none.
                const size_t bar = row.find(L" | ");
                const std::wstring url = row.substr(0, bar);
                if (!m_firefox && bar != std::wstring::npos && row.compare(bar + 3, url.size(), url) == 0)
                    shown.push_back(L"ページ " + url.substr(url.size() - 6, 1) + row.substr(bar));
                else
                    shown.push_back(row);
                continue;
            }
            EXPECT_NE(std::wstring::npos, row.find(L"（タブ 3 個）")) << Utf8Text::FromWide(row);
            EXPECT_EQ(open, row.find(L"開いています") != std::wstring::npos) << Utf8Text::FromWide(row);
            shown.push_back(L"heading " + std::to_wstring(++heading));
        }
        return shown;
    }

    bool m_firefox = false;
    std::vector<std::vector<std::string>> m_windows;
    std::wstring m_history, m_lockFile, m_program, m_record;
    std::vector<std::string> m_pages;
    std::set<std::string> m_open;
    PROCESS_INFORMATION m_lock = {};
};
}

// While the browser runs and writes: the pages it showed, oldest first; with the already-open
// option, the tabs its session file lists are passed over.
TEST_F(LiveBrowser, WhileItRuns)
{
    WaitUntilWritten();
    HoldLock();
    EXPECT_EQ(m_pages, Press(false));
    std::vector<std::string> closed;
    for (const std::string& url : m_pages)
        if (!m_open.count(url))
            closed.push_back(url);
    EXPECT_EQ(closed, Press(true)) << "the open tabs are passed over";
}

// The browser goes on recording after the program read its files: the page it showed since is
// in its History.
TEST_F(LiveBrowser, KeepsRecording)
{
    WaitUntilWritten();
}

// After the browser was killed, the tabs its session file lists are not open: they all open.
TEST_F(LiveBrowser, AfterItWasKilled)
{
    EXPECT_EQ(m_pages, Press(true));
}

// The browser's files, laid out as every other browser of its family keeps them (each data folder
// of each, Opera's profile in its Default folder, the Store build's under a package folder): each
// is found as one profile of that browser, named as the browser named it, and reads the pages the
// browser showed.
TEST_F(LiveBrowser, AsEveryBrowserOfItsFamily)
{
    const std::wstring root = TempFolder() + L"bt-live-family";
    RemoveTree(root);
    const std::wstring local = root + L"\\Local", roaming = root + L"\\Roaming";
    const std::wstring ownData = m_firefox ? KnownFolder(FOLDERID_RoamingAppData) + L"\\Mozilla\\Firefox"
                                           : KnownFolder(FOLDERID_LocalAppData) + L"\\Chromium\\User Data";
    // The files the readers use, the history first.
    std::vector<std::wstring> files;
    if (m_firefox) {
        files = { L"Profiles\\live.default\\places.sqlite", L"Profiles\\live.default\\places.sqlite-wal", L"profiles.ini" };
    } else {
        files = { L"Default\\History", L"Default\\History-journal", L"Local State" };
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((ownData + L"\\Default\\Sessions\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    files.push_back(std::wstring(L"Default\\Sessions\\") + found.cFileName);
            while (FindNextFileW(search, &found));
            FindClose(search);
        }
    }
    std::map<std::wstring, std::string> laid;  // history file -> the browser's key
    for (const BrowserDescriptor& b : Browsers::All()) {
        if ((b.family == BrowserFamily::Firefox) != m_firefox)
            continue;
        for (const BrowserDataFolder& data : b.dataFolders) {
            std::wstring folder = (data.roaming ? roaming : local) + L"\\" + data.path;
            const size_t star = folder.find(L'*');
            if (star != std::wstring::npos)
                folder.replace(star, 1, L"live");
            if (!m_firefox && b.layout != ProfileLayout::OperaFolder)
                folder += L"\\User Data";  // Opera's folder holds Default itself
            ASSERT_TRUE(CopyFiles(ownData, folder, files)) << Utf8Text::FromWide(folder);
            laid[folder + L"\\" + files.front()] = b.key;
        }
    }
    ASSERT_GE(laid.size(), m_firefox ? 6u : 15u);

    std::wstring ownName;
    for (const BrowserProfile& p : CBrowserProfiles::Find())
        if (p.history == m_history)
            ownName = p.displayName;
    ASSERT_FALSE(ownName.empty()) << "the browser's own profile, where it keeps it";
    const std::vector<std::string> newestFirst(m_pages.rbegin(), m_pages.rend());
    std::set<std::wstring> found;
    for (const BrowserProfile& p : CBrowserProfiles::Find(local, roaming)) {
        SCOPED_TRACE(Utf8Text::FromWide(p.history));
        auto was = laid.find(p.history);
        ASSERT_NE(laid.end(), was) << "only what was laid out";
        EXPECT_EQ(was->second, p.browser->key);
        EXPECT_TRUE(found.insert(p.history).second);
        EXPECT_EQ(ownName, p.displayName);
        bool read = false;
        EXPECT_EQ(newestFirst, Read(p, &read));
        EXPECT_TRUE(read);
    }
    EXPECT_EQ(laid.size(), found.size()) << "every layout found";
    RemoveTree(root);
}

// The browser runs with two windows of three pages (the first pinned): the view shows both,
// their tabs in order, marked open and unchecked; /restore opens nothing.
TEST_F(LiveBrowser, LastWindowsWhileItRuns)
{
    ASSERT_EQ(2u, m_windows.size());
    ASSERT_TRUE(WaitForWindows()) << "the browser's session did not come to hold its windows";
    HoldLock();
    EXPECT_EQ(ExpectedRows(true), Shown(WindowsView(), true));
    const auto restored = Restore();
    EXPECT_EQ(1u, restored.first);
    EXPECT_TRUE(restored.second.empty());
}

// The browser stopped (killed, or for Firefox also quit): the same windows are the ones to
// bring back, checked; /restore starts exactly one command a window, its tabs in their order,
// in the browser's profile.
TEST_F(LiveBrowser, LastWindowsAfterItStopped)
{
    ASSERT_EQ(2u, m_windows.size());
    ASSERT_TRUE(WaitForWindows()) << "the browser's session does not hold its windows";
    EXPECT_EQ(ExpectedRows(false), Shown(WindowsView(), false));
    const auto restored = Restore();
    EXPECT_EQ(0u, restored.first);
    std::vector<std::vector<std::string>> expected;
    for (const std::vector<std::string>& window : m_windows) {
        std::vector<std::string> args;
        if (m_firefox) {
            args = { "-P", "live" };
            for (const std::string& url : window)
                args.insert(args.end(), { "-url", url });
        } else {
            args = { "--profile-directory=Default", "--new-window", "--" };
            args.insert(args.end(), window.begin(), window.end());
        }
        expected.push_back(args);
    }
    EXPECT_EQ(expected, restored.second);
}

// The reopen command against a real browser (Debian's Chromium or Firefox ESR, headless) that
// tests/live/chromium.sh or firefox.sh runs with its profile where a Windows user's browser keeps
// it, on loopback pages it serves: the history and session files are the browser's own, written
// while the program reads them. The script runs one test at a time and says which browser
// (BT_LIVE_BROWSER), which pages it showed, oldest first (BT_LIVE_PAGES, comma-separated) and
// which of them are open in a tab now (BT_LIVE_OPEN); the program opens pages through a fake
// browser program that records them.
#include "AppDriver.h"
#include "WinDriver.h"
#include "../../history/Browsers.h"
#include "../../history/CBrowserProfiles.h"
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

    bool m_firefox = false;
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

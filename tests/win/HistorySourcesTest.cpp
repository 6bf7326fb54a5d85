// Reading a browser's history without disturbing the browser, under Wine: the file held by
// another process as a running browser holds it, copied with its side file, read from the copy,
// and left exactly as it was; the copies go, also those of an earlier run.
#include "WinDriver.h"
#include "../common/BrowserSchemas.h"
#include "../../history/CBrowserProfiles.h"
#include "../../history/CHistoryCopy.h"
#include "../../history/ChromiumHistory.h"
#include "../../text/Utf8Text.h"
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <windows.h>
#include <algorithm>
#include <string>
#include <vector>

using namespace WinDriver;

namespace {

const int64_t kNowUs = 1765000000LL * 1000000;
const int64_t kChromiumEpochUs = 11644473600LL * 1000000;


std::string ReadAll(const std::wstring& path, FILETIME* written)
{
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return "(unreadable)";
    std::string bytes;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof(buf), &got, nullptr) && got)
        bytes.append(buf, got);
    GetFileTime(f, nullptr, nullptr, written);
    CloseHandle(f);
    return bytes;
}

// The copy folders of this process under the temporary folder.
std::vector<std::wstring> CopyFolders()
{
    std::vector<std::wstring> found;
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((TempFolder() + CHistoryCopy::FolderPrefix() + L"*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE)
        return found;
    do
        found.push_back(fd.cFileName);
    while (FindNextFileW(find, &fd));
    FindClose(find);
    return found;
}

// The names of the files in a folder.
std::vector<std::wstring> FilesIn(const std::wstring& folder)
{
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                files.push_back(fd.cFileName);
        } while (FindNextFileW(find, &fd));
        FindClose(find);
    }
    std::sort(files.begin(), files.end());
    return files;
}

// A profile folder of the test's own with a Chromium history of two pages.
class HeldProfile : public testing::Test {
protected:
    void SetUp() override
    {
        m_folder = TempFolder() + L"bt-profile-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(m_folder.c_str(), nullptr);
        m_history = m_folder + L"\\History";
        DeleteFileW(m_history.c_str());
        DeleteFileW((m_history + L"-journal").c_str());
        sqlite3* db = nullptr;
        ASSERT_EQ(SQLITE_OK, sqlite3_open(Utf8Text::FromWide(m_history).c_str(), &db));
        std::string sql = std::string(kChromiumSchemas[0]) +
            "INSERT INTO urls(id, url, last_visit_time) VALUES (1, 'http://127.0.0.1/one', 0), "
            "(2, 'http://127.0.0.1/two', 0);";
        for (int i = 1; i <= 2; ++i)
            sql += "INSERT INTO visits(url, visit_time, transition) VALUES (" + std::to_string(i) + ", " +
                   std::to_string(kChromiumEpochUs + kNowUs - 1000000LL * (10 - i)) + ", " + std::to_string(0x30000000) +
                   ");";
        ASSERT_EQ(SQLITE_OK, sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr));
        sqlite3_close(db);
    }
    void TearDown() override
    {
        DeleteFileW(m_history.c_str());
        DeleteFileW((m_history + L"-journal").c_str());
        RemoveDirectoryW(m_folder.c_str());
    }

    std::wstring m_folder, m_history;
};

}

// Another process holding the file as a running browser does, let go on every path.
class Holder {
public:
    explicit Holder(const std::wstring& file)
    {
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring holder = self;
        holder = holder.substr(0, holder.find_last_of(L'\\')) + L"\\bt_hold_history.exe";
        std::wstring line = L"\"" + holder + L"\" \"" + file + L"\"";
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        m_started = CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi);
    }
    ~Holder()
    {
        SetEvent(m_release);
        if (m_started) {
            WaitForSingleObject(m_pi.hProcess, 20000);
            CloseHandle(m_pi.hProcess);
            CloseHandle(m_pi.hThread);
        }
        CloseHandle(m_held);
        CloseHandle(m_release);
    }
    bool Holds() { return m_started && WaitForSingleObject(m_held, 20000) == WAIT_OBJECT_0; }

private:
    HANDLE m_held = CreateEventW(nullptr, TRUE, FALSE, L"BtHistoryHeld");
    HANDLE m_release = CreateEventW(nullptr, TRUE, FALSE, L"BtHistoryRelease");
    PROCESS_INFORMATION m_pi = {};
    bool m_started = false;
};

// A running Chromium holds its History in exclusive locking mode: SQLite's own VFS cannot read
// it, ours reads it in place, makes no copy, and leaves the file as it was.
TEST_F(HeldProfile, TheHeldFileIsReadInPlaceAndStaysAsItWas)
{
    Holder holder(m_history);
    ASSERT_TRUE(holder.Holds()) << "the holder did not take the file";

    FILETIME before = {}, after = {};
    const std::string bytes = ReadAll(m_history, &before);
    const std::vector<std::wstring> filesBefore = FilesIn(m_folder);
    {
        sqlite3* db = nullptr;
        sqlite3_open_v2(Utf8Text::FromWide(m_history).c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        EXPECT_NE(SQLITE_OK, sqlite3_exec(db, "SELECT count(*) FROM urls", nullptr, nullptr, nullptr))
            << "the fixture: the held file cannot be read through SQLite's own VFS";
        sqlite3_close(db);
    }
    int copies = 0;
    LatestVisits latest(3, kNowUs, true);
    ASSERT_TRUE(ChromiumHistory::Read(Utf8Text::FromWide(m_history), latest,
                                      [&](const std::string& file, const char* side) {
                                          ++copies;
                                          return CHistoryCopy::Make(file, side);
                                      }));
    ASSERT_EQ(2u, latest.Visits().size());
    EXPECT_EQ("http://127.0.0.1/two", latest.Visits()[0].url);
    EXPECT_EQ(0, copies) << "read in place";
    EXPECT_TRUE(CopyFolders().empty());
    EXPECT_EQ(bytes, ReadAll(m_history, &after));
    EXPECT_EQ(0, CompareFileTime(&before, &after)) << "the browser's file was not written";
    EXPECT_EQ(filesBefore, FilesIn(m_folder)) << "no journal, no -shm, no file of SQLite's beside it";
}

// A copy, when one is needed, is read while the browser holds the file, and goes with its object.
TEST_F(HeldProfile, ACopyIsReadWhileTheBrowserHoldsTheFile)
{
    Holder holder(m_history);
    ASSERT_TRUE(holder.Holds()) << "the holder did not take the file";
    {
        CHistoryCopy copy(m_history, "-journal");
        ASSERT_TRUE(copy.IsReady());
        LatestVisits latest(3, kNowUs, true);
        ASSERT_TRUE(ChromiumHistory::Read(copy.Utf8Path(), latest));
        ASSERT_EQ(2u, latest.Visits().size());
        EXPECT_EQ(1u, CopyFolders().size());
    }
    EXPECT_TRUE(CopyFolders().empty()) << "the copy goes with the object";
}

TEST(HistoryCopy, MissingFileGivesNoCopyAndLeavesNothing)
{
    {
        CHistoryCopy copy(TempFolder() + L"no-such-profile\\History", "-journal");
        EXPECT_FALSE(copy.IsReady());
    }
    EXPECT_TRUE(CopyFolders().empty());
}

TEST(HistoryCopy, LeftoversOfAnEarlierRunAreRemoved)
{
    std::wstring leftover = TempFolder() + CHistoryCopy::FolderPrefix() + L"99999-7";
    ASSERT_TRUE(CreateDirectoryW(leftover.c_str(), nullptr));
    HANDLE f = CreateFileW((leftover + L"\\History").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(f);
    // Folders of other names are a user's, whatever they begin with.
    const std::wstring users[] = { TempFolder() + CHistoryCopy::FolderPrefix() + L"notes",
                                   TempFolder() + CHistoryCopy::FolderPrefix() + L"12-3x" };
    for (const std::wstring& folder : users)
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    CHistoryCopy own(TempFolder() + L"no-such-profile\\History", "-journal");  // a folder of this process
    // A folder of another copy that runs now.
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION other = {};
    std::wstring line = L"\"" + std::wstring(self) + L"\"";
    ASSERT_TRUE(CreateProcessW(self, &line[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &si, &other));
    const std::wstring running = TempFolder() + CHistoryCopy::FolderPrefix() + std::to_wstring(other.dwProcessId) + L"-1";
    ASSERT_TRUE(CreateDirectoryW(running.c_str(), nullptr));
    ASSERT_EQ(1u + 1u + 1u + 2u, CopyFolders().size());
    CHistoryCopy::RemoveLeftovers();
    TerminateProcess(other.hProcess, 0);
    WaitForSingleObject(other.hProcess, 10000);
    CloseHandle(other.hProcess);
    CloseHandle(other.hThread);
    EXPECT_TRUE(RemoveDirectoryW(running.c_str())) << "the folder of a copy that runs was removed";
    std::vector<std::wstring> left = CopyFolders();
    ASSERT_EQ(3u, left.size()) << "this process's own folder and the user's stay";
    EXPECT_EQ(1, std::count_if(left.begin(), left.end(), [](const std::wstring& name) {
                  return name.find(std::to_wstring(GetCurrentProcessId())) != std::wstring::npos;
              }));
    for (const std::wstring& folder : users)
        EXPECT_TRUE(RemoveDirectoryW(folder.c_str())) << "a user's folder was removed";
}

namespace {
std::wstring FileSystemName(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }

void MakeFile(const std::wstring& path)
{
    MakeFolders(path.substr(0, path.find_last_of(L'\\')));
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    WriteFile(f, "x", 1, nullptr, nullptr);
    CloseHandle(f);
}

}

// Profiles as the browsers lay them out, with the ones that do not count beside them.
TEST(BrowserProfiles, EveryChannelsProfilesWithAHistory)
{
    const std::wstring root = TempFolder() + L"bt-appdata";
    RemoveTree(root);
    const std::wstring local = root + L"\\Local", roaming = root + L"\\Roaming";
    const std::wstring chrome = local + L"\\Google\\Chrome\\User Data";
    MakeFile(chrome + L"\\Default\\History");
    MakeFile(chrome + L"\\Profile 1\\History");
    MakeFile(chrome + L"\\Guest Profile\\History");
    MakeFile(chrome + L"\\System Profile\\History");
    MakeFile(chrome + L"\\Profile 2\\Preferences");  // no history
    // Names as Chromium keeps them: one profile named, one not (its folder's name stands).
    const std::string state = u8R"({"profile":{"info_cache":{"Default":{"name":"仕事"},"Profile 1":{"avatar_icon":"x"}}}})";
    HANDLE stateFile = CreateFileW((chrome + L"\\Local State").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    WriteFile(stateFile, state.data(), static_cast<DWORD>(state.size()), nullptr, nullptr);
    CloseHandle(stateFile);
    MakeFile(local + L"\\Google\\Chrome Beta\\User Data\\Profile 3\\History");
    MakeFile(local + L"\\Microsoft\\Edge\\User Data\\Default\\History");
    const std::wstring firefox = roaming + L"\\Mozilla\\Firefox";
    MakeFile(firefox + L"\\Profiles\\abcd.default-release\\places.sqlite");
    MakeFile(firefox + L"\\Profiles\\empty.default\\prefs.js");
    MakeFile(root + L"\\Elsewhere\\work\\places.sqlite");
    std::string ini = "[Install308046B0AF4A39CB]\r\nDefault=Profiles/abcd.default-release\r\n"
                      "[Profile0]\r\nName=default-release\r\nIsRelative=1\r\nPath=Profiles/abcd.default-release\r\n"
                      "[Profile1]\r\nName=empty\r\nIsRelative=1\r\nPath=Profiles/empty.default\r\n"
                      "[Profile2]\r\nName=work\r\nIsRelative=0\r\nPath=" + Utf8Text::FromWide(root) + "\\Elsewhere\\work\r\n"
                      "[Profile3]\r\nName=out\r\nIsRelative=1\r\nPath=../../../Elsewhere/work\r\n";
    HANDLE f = CreateFileW((firefox + L"\\profiles.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    WriteFile(f, ini.data(), static_cast<DWORD>(ini.size()), nullptr, nullptr);
    CloseHandle(f);

    std::vector<std::wstring> got;
    for (const BrowserProfile& p : CBrowserProfiles::Find(local, roaming)) {
        const std::wstring browser = Utf8Text::ToWide(p.browser->key);
        got.push_back(std::wstring(browser) + L" | " + p.userData.substr(root.size()) + L" | " +
                      (p.browser->family == BrowserFamily::Firefox ? p.profile.substr(root.size()) : p.profile) + L" | " +
                      p.history.substr(root.size()) + L" | " + p.displayName);
    }
    std::sort(got.begin(), got.end());
    const std::vector<std::wstring> expected = {
        L"Chrome | \\Local\\Google\\Chrome Beta\\User Data | Profile 3 | \\Local\\Google\\Chrome Beta\\User Data\\Profile 3\\History | Profile 3",
        L"Chrome | \\Local\\Google\\Chrome\\User Data | Default | \\Local\\Google\\Chrome\\User Data\\Default\\History | 仕事",
        L"Chrome | \\Local\\Google\\Chrome\\User Data | Profile 1 | \\Local\\Google\\Chrome\\User Data\\Profile 1\\History | Profile 1",
        L"Edge | \\Local\\Microsoft\\Edge\\User Data | Default | \\Local\\Microsoft\\Edge\\User Data\\Default\\History | Default",
        L"Firefox | \\Roaming\\Mozilla\\Firefox | \\Elsewhere\\work | \\Elsewhere\\work\\places.sqlite | work",
        L"Firefox | \\Roaming\\Mozilla\\Firefox | \\Roaming\\Mozilla\\Firefox\\Profiles\\abcd.default-release | "
        L"\\Roaming\\Mozilla\\Firefox\\Profiles\\abcd.default-release\\places.sqlite | default-release",
    };
    EXPECT_EQ(expected, got);
    EXPECT_TRUE(CBrowserProfiles::Find(root + L"\\none", root + L"\\none").empty());
    RemoveTree(root);
}

// Every browser of both families where it keeps its profiles: channels, Opera's layouts (the
// profile in Default, in the folder itself on old versions, and side profiles), the Store
// build of Firefox, and the forks of Firefox with their own profiles.ini.
TEST(BrowserProfiles, EveryBrowserOfBothFamiliesByItsLayout)
{
    const std::wstring root = TempFolder() + L"bt-appdata-all";
    RemoveTree(root);
    const std::wstring local = root + L"\\Local", roaming = root + L"\\Roaming";
    for (const wchar_t* history : {
             L"\\Local\\Chromium\\User Data\\Default\\History",
             L"\\Local\\BraveSoftware\\Brave-Browser\\User Data\\Default\\History",
             L"\\Local\\BraveSoftware\\Brave-Browser-Nightly\\User Data\\Profile 2\\History",
             L"\\Local\\Vivaldi\\User Data\\Default\\History",
             L"\\Local\\Yandex\\YandexBrowser\\User Data\\Default\\History",
             L"\\Roaming\\Opera Software\\Opera Stable\\Default\\History",
             L"\\Roaming\\Opera Software\\Opera Stable\\_side_profiles\\a1b2\\History",
             L"\\Roaming\\Opera Software\\Opera GX Stable\\History",  // an old version's layout
             L"\\Local\\Packages\\Mozilla.Firefox_n80bbvh6b1yt2\\LocalCache\\Roaming\\Mozilla\\Firefox\\Profiles\\s.default\\places.sqlite",
             L"\\Roaming\\Waterfox\\Profiles\\w.default\\places.sqlite",
             L"\\Roaming\\librewolf\\Profiles\\l.default\\places.sqlite",
             L"\\Roaming\\Mozilla\\Floorp\\Profiles\\f.default\\places.sqlite",
             L"\\Roaming\\zen\\Profiles\\z.default\\places.sqlite" })
        MakeFile(root + history);
    // Each profiles.ini names its one profile after its own folder.
    const struct { const wchar_t* folder; const char* profile; } inis[] = {
        { L"\\Local\\Packages\\Mozilla.Firefox_n80bbvh6b1yt2\\LocalCache\\Roaming\\Mozilla\\Firefox", "s.default" },
        { L"\\Roaming\\Waterfox", "w.default" }, { L"\\Roaming\\librewolf", "l.default" },
        { L"\\Roaming\\Mozilla\\Floorp", "f.default" }, { L"\\Roaming\\zen", "z.default" },
    };
    for (const auto& ini : inis) {
        const std::wstring folder = root + ini.folder;
        const std::string text = "[Profile0]\r\nName=" + Utf8Text::FromWide(FileSystemName(folder)) +
                                 "\r\nIsRelative=1\r\nPath=Profiles/" + ini.profile + "\r\n";
        HANDLE f = CreateFileW((folder + L"\\profiles.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        WriteFile(f, text.data(), static_cast<DWORD>(text.size()), nullptr, nullptr);
        CloseHandle(f);
    }

    std::vector<std::wstring> got;
    for (const BrowserProfile& p : CBrowserProfiles::Find(local, roaming))
        got.push_back(Utf8Text::ToWide(p.browser->key) + L" | " + p.Folder().substr(root.size()) + L" | " + p.displayName);
    std::sort(got.begin(), got.end());
    const std::vector<std::wstring> expected = {
        L"Brave | \\Local\\BraveSoftware\\Brave-Browser-Nightly\\User Data\\Profile 2 | Profile 2",
        L"Brave | \\Local\\BraveSoftware\\Brave-Browser\\User Data\\Default | Default",
        L"Chromium | \\Local\\Chromium\\User Data\\Default | Default",
        L"FirefoxStore | \\Local\\Packages\\Mozilla.Firefox_n80bbvh6b1yt2\\LocalCache\\Roaming\\Mozilla\\Firefox\\Profiles\\s.default | Firefox",
        L"Floorp | \\Roaming\\Mozilla\\Floorp\\Profiles\\f.default | Floorp",
        L"LibreWolf | \\Roaming\\librewolf\\Profiles\\l.default | librewolf",
        L"Opera | \\Roaming\\Opera Software\\Opera Stable\\Default | Default",
        L"Opera | \\Roaming\\Opera Software\\Opera Stable\\_side_profiles\\a1b2 | a1b2",
        L"OperaGX | \\Roaming\\Opera Software\\Opera GX Stable | Opera GX Stable",
        L"Vivaldi | \\Local\\Vivaldi\\User Data\\Default | Default",
        L"Waterfox | \\Roaming\\Waterfox\\Profiles\\w.default | Waterfox",
        L"Yandex | \\Local\\Yandex\\YandexBrowser\\User Data\\Default | Default",
        L"Zen | \\Roaming\\zen\\Profiles\\z.default | zen",
    };
    EXPECT_EQ(expected, got);
    RemoveTree(root);
}

// A folder with more profiles than anyone keeps: the first 64 count, the rest are not read.
TEST(BrowserProfiles, AtMostSixtyFourProfilesOfAFolder)
{
    const std::wstring root = TempFolder() + L"bt-appdata-many";
    RemoveTree(root);
    const std::wstring chrome = root + L"\\Local\\Google\\Chrome\\User Data";
    for (int i = 0; i < 70; ++i)
        MakeFile(chrome + L"\\Profile " + std::to_wstring(i) + L"\\History");
    EXPECT_EQ(CBrowserProfiles::kMostProfilesPerFolder, CBrowserProfiles::Find(root + L"\\Local", root + L"\\Roaming").size());
    RemoveTree(root);
}

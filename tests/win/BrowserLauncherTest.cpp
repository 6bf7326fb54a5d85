// The browsers of today as this machine knows them, under Wine: their programs found through
// the registry, and pages handed to them as one argument each (the recording program stands
// in for the browser and writes the argument vector it received).
#include "WinDriver.h"
#include "../../browser/CBrowserLauncher.h"
#include "../../history/Browsers.h"
#include "../../text/Utf8Text.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace WinDriver;

namespace {

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

std::wstring Recorder()
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L'\\')) + L"\\bt_record_args.exe";
}

const wchar_t kAppPaths[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\chrome.exe";
const wchar_t kStartMenu[] = L"SOFTWARE\\Clients\\StartMenuInternet\\BtTest Chrome";

void SetDefault(HKEY root, const std::wstring& key, const std::wstring& value, DWORD type = REG_SZ)
{
    HKEY h = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr));
    RegSetValueExW(h, nullptr, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(h);
}

// The program of the browser of that key, as the command looks for it.
std::wstring FindOf(const char* key)
{
    const BrowserDescriptor* browser = Browsers::Find(key);
    return CBrowserLauncher::Find(browser->executable, browser->programFolders, browser->programMark);
}

// A folder with "chrome.exe" (the recorder under the browser's name), and the test's registry
// entries removed again afterwards.
class BrowserLauncherTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_folder = TempFolder() + L"bt-browsers\\Google\\Chrome\\Application";
        MakeFolders(m_folder);
        m_chrome = m_folder + L"\\chrome.exe";
        ASSERT_TRUE(CopyFileW(Recorder().c_str(), m_chrome.c_str(), FALSE));
        Clean();
    }
    void TearDown() override
    {
        Clean();
        RemoveTree(TempFolder() + L"bt-browsers");
    }
    void Clean()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kAppPaths);
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kAppPaths);
        RegDeleteTreeW(HKEY_CURRENT_USER, kStartMenu);
    }

    std::wstring m_folder, m_chrome;
};

std::vector<std::string> RecordedArgv(const std::wstring& file)
{
    std::vector<std::string> argv;
    for (int i = 0; i < 100 && argv.empty(); ++i) {
        std::ifstream in(Utf8Text::FromWide(file), std::ios::binary);
        for (std::string line; std::getline(in, line) && !line.empty();)
            argv.push_back(line);
        if (argv.empty())
            Sleep(100);
    }
    return argv;
}

}

TEST_F(BrowserLauncherTest, ProgramFoundThroughTheRegistryInItsOrder)
{
    EXPECT_EQ(L"", FindOf("Chrome")) << "no Chrome in this prefix";
    // The machine's App Paths entry, with an environment variable in it.
    SetDefault(HKEY_LOCAL_MACHINE, kAppPaths, L"%TEMP%\\bt-browsers\\Google\\Chrome\\Application\\chrome.exe",
               REG_EXPAND_SZ);
    EXPECT_EQ(0, lstrcmpiW(m_chrome.c_str(), FindOf("Chrome").c_str()));
    // The user's comes first, quoted; a program that is not there is passed over.
    SetDefault(HKEY_CURRENT_USER, kAppPaths, L"\"" + m_folder + L"\\missing\\chrome.exe\"");
    EXPECT_EQ(0, lstrcmpiW(m_chrome.c_str(), FindOf("Chrome").c_str()));
    // Both there: the user's entry wins over the machine's.
    const std::wstring machine = m_folder + L"\\machine\\chrome.exe";
    CreateDirectoryW((m_folder + L"\\machine").c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(m_chrome.c_str(), machine.c_str(), FALSE));
    SetDefault(HKEY_LOCAL_MACHINE, kAppPaths, machine);
    SetDefault(HKEY_CURRENT_USER, kAppPaths, m_chrome);
    EXPECT_EQ(0, lstrcmpiW(m_chrome.c_str(), FindOf("Chrome").c_str()));
    DeleteFileW(machine.c_str());
    RemoveDirectoryW((m_folder + L"\\machine").c_str());
    Clean();
    // The list of internet programs, found by the program's name whatever the entry is called.
    SetDefault(HKEY_CURRENT_USER, std::wstring(kStartMenu) + L"\\shell\\open\\command", L"\"" + m_chrome + L"\" --flag");
    EXPECT_EQ(m_chrome, FindOf("Chrome"));
    EXPECT_EQ(L"", FindOf("Firefox")) << "that entry is not Firefox's";
    EXPECT_EQ(L"", FindOf("Chromium")) << "Chrome's chrome.exe is not Chromium's";
    Clean();
    // Chromium's program has Chrome's name: its folder says whose it is.
    const std::wstring chromium = TempFolder() + L"bt-browsers\\Chromium\\Application\\chrome.exe";
    MakeFolders(FolderOf(chromium));
    ASSERT_TRUE(CopyFileW(m_chrome.c_str(), chromium.c_str(), FALSE));
    SetDefault(HKEY_CURRENT_USER, kAppPaths, chromium);
    EXPECT_EQ(chromium, FindOf("Chromium"));
    EXPECT_EQ(L"", FindOf("Chrome")) << "Chromium's chrome.exe is not Chrome's";
}

TEST_F(BrowserLauncherTest, HostileAddressesReachTheBrowserAsOneArgument)
{
    const std::wstring record = TempFolder() + L"bt-browser-argv.txt";
    SetEnvironmentVariableW(L"BT_RECORD_ARGV_FILE", record.c_str());
    const struct { LaunchCommand::Browser browser; const char* profile; const char* url; std::vector<std::string> args; } cases[] = {
        { LaunchCommand::Browser::Chromium, "Profile 1", "http://x/\" --renderer-cmd-prefix=calc",
          { "--profile-directory=Profile 1", "--new-window", "--", "http://x/%22%20--renderer-cmd-prefix=calc" } },
        { LaunchCommand::Browser::Chromium, "Default", "http://x/a\nb c\\\"d",
          { "--profile-directory=Default", "--new-window", "--", "http://x/a%0Ab%20c\\%22d" } },
        { LaunchCommand::Browser::Firefox, "", "https://例え.jp/パス?q=\"x\"",
          { "-new-window", "https://例え.jp/パス?q=%22x%22" } },
        { LaunchCommand::Browser::Firefox, "仕事 \"2\"", "http://a/", { "-P", "仕事 \"2\"", "-new-window", "http://a/" } },
        { LaunchCommand::Browser::FirefoxPath, "D:\\Firefox Profiles\\x y\\", "http://a/",
          { "--profile", "D:\\Firefox Profiles\\x y\\", "-new-window", "http://a/" } },
        { LaunchCommand::Browser::Opera, "abc123", "http://a/", { "--side-profile-name=abc123", "--new-window", "--", "http://a/" } },
        { LaunchCommand::Browser::Opera, "", "http://a/", { "--new-window", "--", "http://a/" } },
    };
    for (const auto& c : cases) {
        DeleteFileW(record.c_str());
        ASSERT_EQ(0u, CBrowserLauncher::Open(m_chrome, c.browser, c.profile, c.url)) << c.url;
        std::vector<std::string> expected = { Utf8Text::FromWide(m_chrome) };
        expected.insert(expected.end(), c.args.begin(), c.args.end());
        EXPECT_EQ(expected, RecordedArgv(record)) << c.url;
    }
    DeleteFileW(record.c_str());
    EXPECT_EQ(static_cast<uint32_t>(ERROR_INVALID_PARAMETER), CBrowserLauncher::Open(m_chrome, LaunchCommand::Browser::Firefox, "", "-P evil"));
    EXPECT_EQ(static_cast<uint32_t>(ERROR_FILE_NOT_FOUND), CBrowserLauncher::Open(L"", LaunchCommand::Browser::Chromium, "", "http://a/"));
    EXPECT_EQ(static_cast<uint32_t>(ERROR_FILE_NOT_FOUND), CBrowserLauncher::Open(m_folder + L"\\missing.exe", LaunchCommand::Browser::Chromium, "", "http://a/"));
    Sleep(500);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(record.c_str())) << "nothing was started";
    SetEnvironmentVariableW(L"BT_RECORD_ARGV_FILE", nullptr);
}

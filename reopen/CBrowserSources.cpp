#include "CBrowserSources.h"
#include "../history/CBrowserProfiles.h"
#include "../history/CHistoryCopy.h"
#include "../history/CProfileLock.h"
#include "../history/ChromiumHistory.h"
#include "../history/ChromiumSession.h"
#include "../history/FirefoxHistory.h"
#include "../history/FirefoxSession.h"
#include "../framework/FileSystem.h"
#include "../text/Utf8Text.h"
#include <windows.h>
#include <map>
#include <set>

namespace {


// The program of a Chromium channel: installed for the user beside its "User Data" folder, or
// for the machine under the program folders; the stable channels as the launcher finds them.
std::wstring ChromiumProgram(InstalledBrowser browser, const std::wstring& userData)
{
    const wchar_t* exe = CBrowserLauncher::ExecutableName(browser);
    size_t cut = userData.rfind(L"\\User Data");
    std::wstring channel = cut == std::wstring::npos ? userData : userData.substr(0, cut);
    std::wstring perUser = channel + L"\\Application\\" + exe;
    if (FileSystem::IsFile(perUser))
        return perUser;
    size_t vendor = channel.find_last_of(L'\\');
    vendor = vendor == std::wstring::npos ? 0 : channel.find_last_of(L'\\', vendor - 1);
    std::wstring relative = vendor == std::wstring::npos ? std::wstring() : channel.substr(vendor + 1);
    if (relative == L"Google\\Chrome" || relative == L"Microsoft\\Edge")
        return CBrowserLauncher::Find(browser);
    for (const wchar_t* root : { L"%ProgramFiles%\\", L"%ProgramFiles(x86)%\\" }) {
        std::wstring path = FileSystem::Expand(root) + relative + L"\\Application\\" + exe;
        if (!relative.empty() && FileSystem::IsFile(path))
            return path;
    }
    return std::wstring();
}


// Chromium's newest session file: the Session_<time> of the latest time, or the older name.
std::wstring ChromiumSessionFile(const std::wstring& profileFolder)
{
    std::wstring newest;
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((profileFolder + L"\\Sessions\\Session_*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = fd.cFileName;
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                (name.size() > newest.size() || (name.size() == newest.size() && name > newest)))
                newest = name;
        } while (FindNextFileW(find, &fd));
        FindClose(find);
    }
    return newest.empty() ? profileFolder + L"\\Current Session" : profileFolder + L"\\Sessions\\" + newest;
}

// A session file larger than this is none the reader would want.
constexpr size_t kLargestChromiumSession = 64u << 20;

// The addresses of the tabs that the profile's session file shows open.
std::set<std::string> OpenTabAddresses(const BrowserProfile& p)
{
    std::set<std::string> open;
    if (p.browser == PageSource::Firefox) {
        std::wstring file = p.profile + L"\\sessionstore-backups\\recovery.jsonlz4";
        FirefoxSession::OpenUrls(FileSystem::ReadShared(file, FirefoxSession::kLargestSession), &open);
    } else {
        std::wstring file = ChromiumSessionFile(p.userData + L"\\" + p.profile);
        ChromiumSession::OpenUrls(FileSystem::ReadShared(file, kLargestChromiumSession), &open);
    }
    return open;
}
}

InstalledBrowser CBrowserSources::BrowserOf(PageSource source)
{
    switch (source) {
    case PageSource::Edge: return InstalledBrowser::Edge;
    case PageSource::Chrome: return InstalledBrowser::Chrome;
    default: return InstalledBrowser::Firefox;
    }
}

int64_t CBrowserSources::NowUs()
{
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    int64_t t = static_cast<int64_t>((static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
    return t / 10 - 11644473600LL * 1000000;
}

void CBrowserSources::Collect(MergedSelection& merged, bool edge, bool chrome, bool firefox, bool httpOnly,
                              bool skipOpen, size_t capacity)
{
    if (!edge && !chrome && !firefox)
        return;
    CHistoryCopy::RemoveLeftovers();
    const int64_t now = NowUs();
    std::map<std::wstring, std::wstring> programs;  // found once per channel
    for (const BrowserProfile& p : CBrowserProfiles::Find()) {
        bool chosen = (p.browser == PageSource::Edge && edge) || (p.browser == PageSource::Chrome && chrome) ||
                      (p.browser == PageSource::Firefox && firefox);
        if (!chosen)
            continue;
        InstalledBrowser browser = BrowserOf(p.browser);
        auto known = programs.find(p.userData);
        if (known == programs.end())
            known = programs.emplace(p.userData, browser == InstalledBrowser::Firefox ? CBrowserLauncher::Find(browser)
                                                                                     : ChromiumProgram(browser, p.userData))
                        .first;
        if (known->second.empty())
            continue;  // nothing could open its pages
        LatestVisits latest(capacity, now, httpOnly);
        if (skipOpen && CProfileLock::IsHeld(p))
            latest.Skip(OpenTabAddresses(p));
        // Read in place; a private copy only when the file changes meanwhile or needs recovery.
        if (browser == InstalledBrowser::Firefox)
            FirefoxHistory::Read(Utf8Text::FromWide(p.history), latest, CHistoryCopy::Make);
        else
            ChromiumHistory::Read(Utf8Text::FromWide(p.history), latest, CHistoryCopy::Make);
        std::string profile = browser == InstalledBrowser::Firefox ? std::string() : Utf8Text::FromWide(p.profile);
        merged.AddVisits(p.browser, profile, latest.Visits(), known->second);
    }
}

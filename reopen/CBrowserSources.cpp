#include "CBrowserSources.h"
#include "../history/CBrowserProfiles.h"
#include "../history/CHistoryCopy.h"
#include "../history/CLastSession.h"
#include "../history/CProfileLock.h"
#include "../history/ChromiumHistory.h"
#include "../history/ChromiumSession.h"
#include "../history/FirefoxHistory.h"
#include "../history/FirefoxSession.h"
#include "../history/SessionWindows.h"
#include "../history/VisitTime.h"
#include "../framework/FileSystem.h"
#include "../text/Utf8Text.h"
#include <windows.h>
#include <map>
#include <set>

namespace {


// Whether `path` ends with `tail`, letter case aside.
bool EndsWith(const std::wstring& path, const std::wstring& tail)
{
    return path.size() >= tail.size() && lstrcmpiW(path.c_str() + path.size() - tail.size(), tail.c_str()) == 0;
}

// The program of a Chromium channel: installed for the user beside its "User Data" folder, or
// for the machine under the program folders; the stable channel as the launcher finds it.
std::wstring ChromiumProgram(const BrowserDescriptor& browser, const std::wstring& userData)
{
    const std::wstring exe = browser.executable;
    for (const BrowserDataFolder& data : browser.dataFolders) {
        if (!EndsWith(userData, std::wstring(L"\\") + data.path + L"\\User Data"))
            continue;
        std::wstring channel = userData.substr(0, userData.size() - std::wstring(L"\\User Data").size());
        std::wstring perUser = channel + L"\\Application\\" + exe;
        if (FileSystem::IsFile(perUser))
            return perUser;
        if (&data == &browser.dataFolders.front())
            return CBrowserLauncher::Find(browser.executable, browser.programFolders, browser.programMark);
        for (const wchar_t* root : { L"%ProgramFiles%\\", L"%ProgramFiles(x86)%\\" }) {
            std::wstring path = FileSystem::Expand(root) + data.path + L"\\Application\\" + exe;
            if (FileSystem::IsFile(path))
                return path;
        }
    }
    return std::wstring();
}

}

std::wstring CBrowserSources::ProgramOf(const BrowserProfile& p)
{
    const BrowserDescriptor& browser = *p.browser;
    if (browser.layout == ProfileLayout::UserData)
        return ChromiumProgram(browser, p.userData);
    return CBrowserLauncher::Find(browser.executable, browser.programFolders, browser.programMark);
}

std::wstring CBrowserSources::IconFileOf(const BrowserProfile& p)
{
    const size_t slash = p.history.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : p.history.substr(0, slash + 1);
    return folder + (p.browser->family == BrowserFamily::Firefox ? L"favicons.sqlite" : L"Favicons");
}

// Read in place; a private copy only when the file changes meanwhile or needs recovery.
HistoryReadResult CBrowserSources::ReadHistory(const BrowserProfile& p, LatestVisits& latest, const HistoryQuery* search)
{
    const std::string file = Utf8Text::FromWide(p.history);
    if (p.browser->family == BrowserFamily::Firefox)
        return search ? FirefoxHistory::Search(file, *search, latest, CHistoryCopy::Make)
                      : FirefoxHistory::Read(file, latest, CHistoryCopy::Make);
    return search ? ChromiumHistory::Search(file, *search, latest, CHistoryCopy::Make)
                  : ChromiumHistory::Read(file, latest, CHistoryCopy::Make);
}

namespace {
// How the launcher names the profile: Chromium's folder name, Opera's side profile, Firefox's
// name (-P), or its folder where it has no name a switch could take or where another profile
// of its profiles.ini has the same name (`nameShared`): -P would open the first of them.
std::pair<LaunchCommand::Browser, std::string> LaunchProfileOf(const BrowserProfile& p, bool nameShared)
{
    using B = LaunchCommand::Browser;
    if (p.browser->family == BrowserFamily::Firefox) {
        if (!p.name.empty() && p.name[0] != '-' && !nameShared)
            return { B::Firefox, p.name };
        return { B::FirefoxPath, Utf8Text::FromWide(p.profile) };
    }
    if (p.browser->layout == ProfileLayout::OperaFolder) {
        const std::wstring side = L"_side_profiles\\";
        return { B::Opera, p.profile.compare(0, side.size(), side) == 0 ? Utf8Text::FromWide(p.profile.substr(side.size()))
                                                                         : std::string() };
    }
    return { B::Chromium, Utf8Text::FromWide(p.profile) };
}

// The addresses of the tabs that the profile's session file shows open.
void AddOpenTabs(const BrowserProfile& p, std::set<std::string>* open)
{
    const std::string file = FileSystem::ReadShared(CLastSession::CurrentFile(p), SessionWindows::kLargestFile);
    if (p.browser->family == BrowserFamily::Firefox)
        FirefoxSession::OpenUrls(file, open);
    else
        ChromiumSession::OpenUrls(file, open);
}
}

std::vector<BrowserProfile> CBrowserSources::Chosen(const std::vector<BrowserProfile>& found,
                                                    const std::set<std::string>& chosen)
{
    std::vector<BrowserProfile> profiles;
    for (const BrowserProfile& p : found)
        if (chosen.count(p.browser->key))
            profiles.push_back(p);
    return profiles;
}

std::set<std::string> CBrowserSources::OpenTabs(const std::vector<BrowserProfile>& profiles)
{
    std::set<std::string> open;
    for (const BrowserProfile& p : profiles)
        if (CProfileLock::IsHeld(p))
            AddOpenTabs(p, &open);
    return open;
}

void CBrowserSources::EachProfile(const std::vector<BrowserProfile>& profiles, const Progress& progress,
                                  const std::function<void(const BrowserProfile&, const std::wstring& program,
                                                           const std::pair<LaunchCommand::Browser, std::string>& launch)>& each)
{
    const auto stopped = [&] { return progress.stop && progress.stop->load(); };
    std::map<std::wstring, std::wstring> programs;  // found once per channel
    // How many profiles of one profiles.ini have each name: -P looks in its own program's.
    std::map<std::pair<std::wstring, std::string>, int> firefoxNames;
    for (const BrowserProfile& p : profiles)
        if (p.browser->family == BrowserFamily::Firefox)
            ++firefoxNames[{ p.userData, p.name }];
    for (size_t done = 0; done < profiles.size() && !stopped(); ++done) {
        if (progress.step)
            progress.step(done, profiles.size());
        const BrowserProfile& p = profiles[done];
        auto known = programs.find(p.userData);
        if (known == programs.end())
            known = programs.emplace(p.userData, ProgramOf(p)).first;
        each(p, known->second,
             LaunchProfileOf(p, p.browser->family == BrowserFamily::Firefox && firefoxNames[{ p.userData, p.name }] > 1));
    }
    if (progress.step && !stopped())
        progress.step(profiles.size(), profiles.size());
}

void CBrowserSources::Collect(const std::vector<BrowserProfile>& profiles, const Reading& reading,
                              const std::function<void(ProfilePages&&)>& sink, const Progress& progress)
{
    if (!profiles.empty())
        CHistoryCopy::RemoveLeftovers();
    const int64_t now = VisitTime::NowUs();
    EachProfile(profiles, progress, [&](const BrowserProfile& p, const std::wstring& program, const auto& launch) {
        const BrowserDescriptor& browser = *p.browser;
        if (program.empty() && !reading.withoutProgram) {
            // Nothing could open its pages: not read.
            sink({ &browser, launch.second, p.displayName, {}, {}, launch.first, HistoryReadResult::Read, IconFileOf(p) });
            return;
        }
        LatestVisits latest(reading.capacity, now, reading.httpOnly);
        latest.StopWhen(progress.stop);
        if (reading.open && reading.openPages == OpenPages::Skip)
            latest.Skip(*reading.open);
        else if (reading.open && reading.openPages == OpenPages::Mark)
            latest.Mark(*reading.open);
        const HistoryReadResult read = ReadHistory(p, latest, reading.search);
        sink({ &browser, launch.second, p.displayName, program, latest.Visits(), launch.first, read, IconFileOf(p) });
    });
}

void CBrowserSources::CollectSessions(const std::vector<BrowserProfile>& profiles,
                                      const std::function<void(ProfileSession&&)>& sink, const Progress& progress)
{
    EachProfile(profiles, progress, [&](const BrowserProfile& p, const std::wstring& program, const auto& launch) {
        sink({ p.browser, launch.second, p.displayName, program, launch.first, CLastSession::Read(p), IconFileOf(p) });
    });
}

void CBrowserSources::Collect(MergedSelection& merged, const std::vector<BrowserProfile>& profiles,
                              const Reading& reading, std::vector<const BrowserDescriptor*>* withoutProgram)
{
    Collect(profiles, reading, [&](ProfilePages&& pages) {
        if (pages.program.empty()) {
            if (withoutProgram)
                withoutProgram->push_back(pages.browser);
            return;
        }
        merged.AddVisits(pages.browser, pages.profile, pages.visits, pages.program, pages.profileName, pages.launch);
    }, Progress());
}

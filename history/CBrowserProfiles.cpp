#include "CBrowserProfiles.h"
#include "ChromiumLocalState.h"
#include "FirefoxProfiles.h"
#include "../framework/FileSystem.h"
#include "../text/Utf8Text.h"
#include <windows.h>
#include <shlobj.h>
#include <map>

namespace {
std::wstring KnownFolder(REFKNOWNFOLDERID id)
{
    PWSTR path = nullptr;
    std::wstring result;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path)) && path)
        result = path;
    CoTaskMemFree(path);
    return result;
}

// profiles.ini is small; a file larger than this is not one.
constexpr size_t kLargestProfilesIni = 1 << 20;


void ChromiumProfiles(const BrowserDescriptor* browser, const std::wstring& userData, std::vector<BrowserProfile>* out)
{
    size_t found = 0;
    std::map<std::string, std::string> names = ChromiumLocalState::ProfileNames(
        FileSystem::ReadShared(userData + L"\\Local State", ChromiumLocalState::kLargestFile));
    for (const FileSystem::Entry& entry : FileSystem::List(userData)) {
        if (!entry.isFolder || entry.name == L"Guest Profile" || entry.name == L"System Profile")
            continue;
        std::wstring history = userData + L"\\" + entry.name + L"\\History";
        if (!FileSystem::IsFile(history))
            continue;
        auto name = names.find(Utf8Text::FromWide(entry.name));
        out->push_back({ browser, userData, entry.name, history,
                         name == names.end() || name->second.empty() ? entry.name : Utf8Text::ToWide(name->second) });
        if (++found == CBrowserProfiles::kMostProfilesPerFolder)
            break;
    }
}
}

std::vector<BrowserProfile> CBrowserProfiles::Find(std::wstring localAppData, std::wstring roamingAppData)
{
    if (localAppData.empty())
        localAppData = KnownFolder(FOLDERID_LocalAppData);
    if (roamingAppData.empty())
        roamingAppData = KnownFolder(FOLDERID_RoamingAppData);
    std::vector<BrowserProfile> profiles;
    for (const BrowserDescriptor& browser : Browsers::All()) {
        for (const wchar_t* data : browser.dataFolders) {
            if (browser.family == BrowserFamily::Chromium) {
                if (!localAppData.empty())
                    ChromiumProfiles(&browser, localAppData + L"\\" + data + L"\\User Data", &profiles);
                continue;
            }
            if (roamingAppData.empty())
                continue;
            const std::wstring folder = roamingAppData + L"\\" + data;
            std::string ini = FileSystem::ReadShared(folder + L"\\profiles.ini", kLargestProfilesIni);
            for (const FirefoxProfiles::Profile& profile : FirefoxProfiles::ParseNamed(ini, Utf8Text::FromWide(folder))) {
                std::wstring path = Utf8Text::ToWide(profile.folder);
                std::wstring places = path + L"\\places.sqlite";
                if (FileSystem::IsFile(places))
                    profiles.push_back({ &browser, folder, path, places,
                                         profile.name.empty() ? FileSystem::FileName(path) : Utf8Text::ToWide(profile.name) });
            }
        }
    }
    return profiles;
}

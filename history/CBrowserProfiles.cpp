#include "CBrowserProfiles.h"
#include "ChromiumLocalState.h"
#include "FirefoxProfiles.h"
#include "../framework/FileSystem.h"
#include "../text/Utf8Text.h"
#include <windows.h>
#include <shlobj.h>
#include <functional>
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
// Store packages of one browser that a user may have side by side.
constexpr size_t kMostPackages = 8;

// The folders that `path` (under `root`) names: itself, or, where one of its folder names holds
// a "*", each folder that matches it.
std::vector<std::wstring> Folders(const std::wstring& root, const std::wstring& path)
{
    size_t star = path.find(L'*');
    if (star == std::wstring::npos)
        return { root + L"\\" + path };
    size_t begin = path.rfind(L'\\', star);
    begin = begin == std::wstring::npos ? 0 : begin + 1;
    size_t end = path.find(L'\\', star);
    const std::wstring parent = root + (begin ? L"\\" + path.substr(0, begin - 1) : std::wstring());
    const std::wstring pattern = path.substr(begin, end == std::wstring::npos ? std::wstring::npos : end - begin);
    const std::wstring rest = end == std::wstring::npos ? std::wstring() : path.substr(end);
    std::vector<std::wstring> folders;
    for (const FileSystem::Entry& entry : FileSystem::List(parent, pattern.c_str(), kMostPackages))
        if (entry.isFolder)
            folders.push_back(parent + L"\\" + entry.name + rest);
    return folders;
}

// A profile whose history is there, named as Local State names it or by its folder.
void AddChromium(const BrowserDescriptor* browser, const std::wstring& userData, const std::wstring& profile,
                 const std::map<std::string, std::string>& names, std::vector<BrowserProfile>* out)
{
    BrowserProfile p{ browser, userData, profile, {}, {}, {} };
    p.history = p.Folder() + L"\\History";
    if (!FileSystem::IsFile(p.history))
        return;
    auto name = names.find(Utf8Text::FromWide(profile));
    p.displayName = name != names.end() && !name->second.empty() ? Utf8Text::ToWide(name->second)
                    : profile.empty() ? FileSystem::FileName(userData)
                                      : FileSystem::FileName(profile);
    out->push_back(std::move(p));
}

std::map<std::string, std::string> ProfileNames(const std::wstring& userData)
{
    return ChromiumLocalState::ProfileNames(
        FileSystem::ReadShared(userData + L"\\Local State", ChromiumLocalState::kLargestFile));
}

void UserDataProfiles(const BrowserDescriptor* browser, const std::wstring& userData, std::vector<BrowserProfile>* out)
{
    const std::map<std::string, std::string> names = ProfileNames(userData);
    size_t found = out->size();
    for (const FileSystem::Entry& entry : FileSystem::List(userData)) {
        if (!entry.isFolder || entry.name == L"Guest Profile" || entry.name == L"System Profile")
            continue;
        AddChromium(browser, userData, entry.name, names, out);
        if (out->size() - found == CBrowserProfiles::kMostProfilesPerFolder)
            break;
    }
}

// Opera: Default, or the folder itself on old versions; then its side profiles.
void OperaProfiles(const BrowserDescriptor* browser, const std::wstring& folder, std::vector<BrowserProfile>* out)
{
    const std::map<std::string, std::string> names = ProfileNames(folder);
    const size_t before = out->size();
    AddChromium(browser, folder, L"Default", names, out);
    if (out->size() == before)
        AddChromium(browser, folder, L"", names, out);
    for (const FileSystem::Entry& entry :
         FileSystem::List(folder + L"\\_side_profiles", L"*", CBrowserProfiles::kMostProfilesPerFolder))
        if (entry.isFolder)
            AddChromium(browser, folder, L"_side_profiles\\" + entry.name, names, out);
}

void IniProfiles(const BrowserDescriptor* browser, const std::wstring& folder, std::vector<BrowserProfile>* out)
{
    std::string ini = FileSystem::ReadShared(folder + L"\\profiles.ini", kLargestProfilesIni);
    for (const FirefoxProfiles::Profile& profile : FirefoxProfiles::ParseNamed(ini, Utf8Text::FromWide(folder))) {
        std::wstring path = Utf8Text::ToWide(profile.folder);
        std::wstring places = path + L"\\places.sqlite";
        if (FileSystem::IsFile(places))
            out->push_back({ browser, folder, path, places,
                             profile.name.empty() ? FileSystem::FileName(path) : Utf8Text::ToWide(profile.name),
                             profile.name });
    }
}
}

namespace {
// Each data folder of each browser that is there under the two roots, until `each` says stop.
void EachDataFolder(const std::wstring& localAppData, const std::wstring& roamingAppData,
                    const std::function<bool(const BrowserDescriptor&, const std::wstring&)>& each)
{
    for (const BrowserDescriptor& browser : Browsers::All()) {
        for (const BrowserDataFolder& data : browser.dataFolders) {
            const std::wstring& root = data.roaming ? roamingAppData : localAppData;
            if (root.empty())
                continue;
            for (const std::wstring& folder : Folders(root, data.path))
                if (!each(browser, folder))
                    return;
        }
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
    EachDataFolder(localAppData, roamingAppData, [&](const BrowserDescriptor& browser, const std::wstring& folder) {
        switch (browser.layout) {
        case ProfileLayout::UserData: UserDataProfiles(&browser, folder + L"\\User Data", &profiles); break;
        case ProfileLayout::OperaFolder: OperaProfiles(&browser, folder, &profiles); break;
        case ProfileLayout::ProfilesIni: IniProfiles(&browser, folder, &profiles); break;
        }
        return true;
    });
    return profiles;
}

bool CBrowserProfiles::AnyDataFolder()
{
    // The folders from the environment: the shell, which knows them too, is not loaded at start.
    const auto variable = [](const wchar_t* name) {
        wchar_t path[MAX_PATH] = {};
        const DWORD n = GetEnvironmentVariableW(name, path, MAX_PATH);
        return n > 0 && n < MAX_PATH ? std::wstring(path, n) : std::wstring();
    };
    bool found = false;
    EachDataFolder(variable(L"LOCALAPPDATA"), variable(L"APPDATA"), [&](const BrowserDescriptor&, const std::wstring& folder) {
        const DWORD attributes = GetFileAttributesW(folder.c_str());
        found = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
        return !found;
    });
    return found;
}

#include "CBrowserProfiles.h"
#include "FirefoxProfiles.h"
#include "../framework/FileSystem.h"
#include "../text/Utf8Text.h"
#include <windows.h>
#include <shlobj.h>

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


void ChromiumProfiles(PageSource browser, const std::wstring& userData, std::vector<BrowserProfile>* out)
{
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((userData + L"\\*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE)
        return;
    size_t found = 0;
    do {
        std::wstring name = fd.cFileName;
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == L"." || name == L".." ||
            name == L"Guest Profile" || name == L"System Profile")
            continue;
        std::wstring history = userData + L"\\" + name + L"\\History";
        if (!FileSystem::IsFile(history))
            continue;
        out->push_back({ browser, userData, name, history });
        if (++found == CBrowserProfiles::kMostProfilesPerFolder)
            break;
    } while (FindNextFileW(find, &fd));
    FindClose(find);
}
}

std::vector<BrowserProfile> CBrowserProfiles::Find(std::wstring localAppData, std::wstring roamingAppData)
{
    if (localAppData.empty())
        localAppData = KnownFolder(FOLDERID_LocalAppData);
    if (roamingAppData.empty())
        roamingAppData = KnownFolder(FOLDERID_RoamingAppData);
    std::vector<BrowserProfile> profiles;
    if (!localAppData.empty()) {
        const struct { PageSource browser; const wchar_t* folder; } channels[] = {
            { PageSource::Edge, L"Microsoft\\Edge" },        { PageSource::Edge, L"Microsoft\\Edge Beta" },
            { PageSource::Edge, L"Microsoft\\Edge Dev" },    { PageSource::Edge, L"Microsoft\\Edge SxS" },
            { PageSource::Chrome, L"Google\\Chrome" },       { PageSource::Chrome, L"Google\\Chrome Beta" },
            { PageSource::Chrome, L"Google\\Chrome Dev" },   { PageSource::Chrome, L"Google\\Chrome SxS" },
        };
        for (const auto& c : channels)
            ChromiumProfiles(c.browser, localAppData + L"\\" + c.folder + L"\\User Data", &profiles);
    }
    if (!roamingAppData.empty()) {
        const std::wstring folder = roamingAppData + L"\\Mozilla\\Firefox";
        std::string ini = FileSystem::ReadShared(folder + L"\\profiles.ini", kLargestProfilesIni);
        for (const std::string& profile : FirefoxProfiles::Parse(ini, Utf8Text::FromWide(folder))) {
            std::wstring path = Utf8Text::ToWide(profile);
            std::wstring places = path + L"\\places.sqlite";
            if (FileSystem::IsFile(places))
                profiles.push_back({ PageSource::Firefox, folder, path, places });
        }
    }
    return profiles;
}

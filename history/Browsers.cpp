#include "Browsers.h"

namespace {
constexpr bool kLocal = false, kRoaming = true;
}

const std::vector<BrowserDescriptor>& Browsers::All()
{
    using F = BrowserFamily;
    using L = ProfileLayout;
    static const std::vector<BrowserDescriptor> browsers = {
        { "Edge", L"Microsoft Edge", F::Chromium, L::UserData, L"msedge.exe",
          { { kLocal, L"Microsoft\\Edge" }, { kLocal, L"Microsoft\\Edge Beta" }, { kLocal, L"Microsoft\\Edge Dev" },
            { kLocal, L"Microsoft\\Edge SxS" } },
          { L"%ProgramFiles(x86)%\\Microsoft\\Edge\\Application\\", L"%ProgramFiles%\\Microsoft\\Edge\\Application\\" } },
        { "Chrome", L"Google Chrome", F::Chromium, L::UserData, L"chrome.exe",
          { { kLocal, L"Google\\Chrome" }, { kLocal, L"Google\\Chrome Beta" }, { kLocal, L"Google\\Chrome Dev" },
            { kLocal, L"Google\\Chrome SxS" } },
          { L"%ProgramFiles%\\Google\\Chrome\\Application\\", L"%ProgramFiles(x86)%\\Google\\Chrome\\Application\\",
            L"%LOCALAPPDATA%\\Google\\Chrome\\Application\\" },
          L"\\Google\\Chrome" },
        { "Firefox", L"Mozilla Firefox", F::Firefox, L::ProfilesIni, L"firefox.exe", { { kRoaming, L"Mozilla\\Firefox" } },
          { L"%ProgramFiles%\\Mozilla Firefox\\", L"%ProgramFiles(x86)%\\Mozilla Firefox\\" } },
        { "Chromium", L"Chromium", F::Chromium, L::UserData, L"chrome.exe", { { kLocal, L"Chromium" } },
          { L"%LOCALAPPDATA%\\Chromium\\Application\\", L"%ProgramFiles%\\Chromium\\Application\\" }, L"\\Chromium\\" },
        { "Brave", L"Brave", F::Chromium, L::UserData, L"brave.exe",
          { { kLocal, L"BraveSoftware\\Brave-Browser" }, { kLocal, L"BraveSoftware\\Brave-Browser-Beta" },
            { kLocal, L"BraveSoftware\\Brave-Browser-Nightly" } },
          { L"%ProgramFiles%\\BraveSoftware\\Brave-Browser\\Application\\",
            L"%LOCALAPPDATA%\\BraveSoftware\\Brave-Browser\\Application\\" } },
        { "Vivaldi", L"Vivaldi", F::Chromium, L::UserData, L"vivaldi.exe", { { kLocal, L"Vivaldi" } },
          { L"%LOCALAPPDATA%\\Vivaldi\\Application\\", L"%ProgramFiles%\\Vivaldi\\Application\\" } },
        { "Opera", L"Opera", F::Chromium, L::OperaFolder, L"launcher.exe", { { kRoaming, L"Opera Software\\Opera Stable" } },
          { L"%LOCALAPPDATA%\\Programs\\Opera\\", L"%ProgramFiles%\\Opera\\" }, L"\\Opera\\" },
        { "OperaGX", L"Opera GX", F::Chromium, L::OperaFolder, L"launcher.exe",
          { { kRoaming, L"Opera Software\\Opera GX Stable" } },
          { L"%LOCALAPPDATA%\\Programs\\Opera GX\\", L"%ProgramFiles%\\Opera GX\\" }, L"\\Opera GX\\" },
        { "Yandex", L"Yandex Browser", F::Chromium, L::UserData, L"browser.exe", { { kLocal, L"Yandex\\YandexBrowser" } },
          { L"%LOCALAPPDATA%\\Yandex\\YandexBrowser\\Application\\" }, L"\\Yandex\\" },
        { "Waterfox", L"Waterfox", F::Firefox, L::ProfilesIni, L"waterfox.exe", { { kRoaming, L"Waterfox" } },
          { L"%ProgramFiles%\\Waterfox\\" } },
        { "LibreWolf", L"LibreWolf", F::Firefox, L::ProfilesIni, L"librewolf.exe", { { kRoaming, L"librewolf" } },
          { L"%ProgramFiles%\\LibreWolf\\" } },
        { "Floorp", L"Floorp", F::Firefox, L::ProfilesIni, L"floorp.exe",
          { { kRoaming, L"Floorp" }, { kRoaming, L"Mozilla\\Floorp" } },
          { L"%ProgramFiles%\\Ablaze Floorp\\", L"%ProgramFiles%\\Floorp\\" } },
        { "Zen", L"Zen", F::Firefox, L::ProfilesIni, L"zen.exe", { { kRoaming, L"zen" } },
          { L"%ProgramFiles%\\Zen Browser\\" } },
        // The Store build keeps profiles of its own (its own profiles.ini, which the desktop
        // build's -P never sees) and its program in the package: a browser of its own.
        { "FirefoxStore", L"Mozilla Firefox (Microsoft Store)", F::Firefox, L::ProfilesIni, L"firefox.exe",
          { { kLocal, L"Packages\\Mozilla.Firefox_*\\LocalCache\\Roaming\\Mozilla\\Firefox" } }, {},
          L"\\WindowsApps\\" },
    };
    return browsers;
}

const BrowserDescriptor* Browsers::Find(const std::string& key)
{
    for (const BrowserDescriptor& b : All())
        if (key == b.key)
            return &b;
    return nullptr;
}

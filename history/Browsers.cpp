#include "Browsers.h"

const std::vector<BrowserDescriptor>& Browsers::All()
{
    static const std::vector<BrowserDescriptor> browsers = {
        { "Edge", L"Microsoft Edge", BrowserFamily::Chromium, L"msedge.exe",
          { L"Microsoft\\Edge", L"Microsoft\\Edge Beta", L"Microsoft\\Edge Dev", L"Microsoft\\Edge SxS" },
          { L"%ProgramFiles(x86)%\\Microsoft\\Edge\\Application\\", L"%ProgramFiles%\\Microsoft\\Edge\\Application\\" } },
        { "Chrome", L"Google Chrome", BrowserFamily::Chromium, L"chrome.exe",
          { L"Google\\Chrome", L"Google\\Chrome Beta", L"Google\\Chrome Dev", L"Google\\Chrome SxS" },
          { L"%ProgramFiles%\\Google\\Chrome\\Application\\", L"%ProgramFiles(x86)%\\Google\\Chrome\\Application\\",
            L"%LOCALAPPDATA%\\Google\\Chrome\\Application\\" } },
        { "Firefox", L"Mozilla Firefox", BrowserFamily::Firefox, L"firefox.exe", { L"Mozilla\\Firefox" },
          { L"%ProgramFiles%\\Mozilla Firefox\\", L"%ProgramFiles(x86)%\\Mozilla Firefox\\" } },
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

#include "SiteIconRequests.h"
#include "../history/SiteIcons.h"
#include "../text/Utf8Text.h"
#include <algorithm>

std::string SiteIconRequests::SiteOf(const std::string& url) { return SiteIcons::SiteOf(url); }

void SiteIconRequests::Add(const std::string& url, const std::wstring& iconFile)
{
    const std::string site = SiteIcons::SiteOf(url);
    if (iconFile.empty() || site.empty())
        return;
    auto asked = m_asked.find(site);
    if (asked != m_asked.end() && asked->second != iconFile)
        return;  // another profile asks for it
    m_asked[site] = iconFile;
    Sites& file = m_files[iconFile];
    auto at = std::find(file.sites.begin(), file.sites.end(), site);
    if (at == file.sites.end()) {
        file.sites.push_back(site);
        file.pages.push_back({ url });
    } else {
        file.pages[static_cast<size_t>(at - file.sites.begin())].push_back(url);
    }
}

void SiteIconRequests::Read(const std::atomic<bool>& stop,
                            const std::function<void(const std::string& site, const std::string& bytes)>& each) const
{
    for (const auto& file : m_files) {
        if (stop)
            return;
        const std::string utf8File = Utf8Text::FromWide(file.first);
        const std::vector<std::string> icons =
            SiteIcons::ReadSites(utf8File, SiteIcons::IsFirefoxFile(utf8File), file.second.pages);
        for (size_t s = 0; s < icons.size(); ++s)
            each(file.second.sites[s], icons[s]);
    }
}

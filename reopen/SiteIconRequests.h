// The site icons that the list asks for: the sites of its rows that have none yet, each asked
// of the profile that saw it (SiteIcons), with a few of its pages; one site once.
#pragma once
#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <vector>

class SiteIconRequests {
public:
    // The site of an address, as the list keeps one icon for it (SiteIcons::SiteOf).
    static std::string SiteOf(const std::string& url);

    // A row's page and its profile's icon file (empty: the URL cache's, which has none).
    void Add(const std::string& url, const std::wstring& iconFile);
    bool Empty() const { return m_files.empty(); }
    // Reads each profile's icons, until `stop`; `each` gets every site asked for with its
    // icon's bytes (empty: none to show).
    void Read(const std::atomic<bool>& stop,
              const std::function<void(const std::string& site, const std::string& bytes)>& each) const;

private:
    struct Sites {
        std::vector<std::string> sites;
        std::vector<std::vector<std::string>> pages;
    };
    std::map<std::wstring, Sites> m_files;
    std::map<std::string, std::wstring> m_asked;  // each site, of the profile that asks for it
};

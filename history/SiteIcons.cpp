#include "SiteIcons.h"
#include "HistoryDatabase.h"
#include "HistoryFileState.h"
#include "IconBytes.h"
#include <algorithm>

namespace {
const char kChromiumMapping[] = "SELECT icon_id FROM icon_mapping INDEXED BY icon_mapping_page_url_idx WHERE page_url = ?1";
const char kChromiumBitmaps[] =
    "SELECT image_data, width FROM favicon_bitmaps INDEXED BY favicon_bitmaps_icon_id WHERE icon_id = ?1";
const char kFirefoxPage[] =
    "SELECT id FROM moz_pages_w_icons INDEXED BY moz_pages_w_icons_urlhashindex WHERE page_url_hash = ?1 AND page_url = ?2";
const char kFirefoxIcons[] = "SELECT icon_id FROM moz_icons_to_pages WHERE page_id = ?1";
const char kFirefoxIcon[] = "SELECT data, width FROM moz_icons WHERE id = ?1";
const char kFirefoxRoot[] =
    "SELECT data, width FROM moz_icons INDEXED BY moz_icons_iconurlhashindex WHERE fixed_icon_url_hash = ?1 AND root = 1";

uint32_t HashBytes(std::string_view bytes)
{
    uint32_t h = 0;
    for (unsigned char c : bytes)
        h = 0x9E3779B9u * (((h << 5) | (h >> 27)) ^ c);
    return h;
}

// The best of the bitmaps offered: one of the side wanted, else the one `better` prefers.
class Choice {
public:
    explicit Choice(bool firefox) : m_firefox(firefox) {}
    void Offer(const HistoryDatabase::Value& data, const HistoryDatabase::Value& width)
    {
        if (!data.isBytes || !width.isInteger || IconBytes::Check(data.bytes) == IconBytes::Format::None)
            return;
        const int64_t w = width.integer;
        const bool fits = m_firefox ? w >= SiteIcons::kSide : w > 0;
        if (fits && (m_bytes.empty() || w < m_width)) {
            m_bytes.assign(data.bytes.data(), data.bytes.size());
            m_width = w;
        }
    }
    bool Exact() const { return m_width == SiteIcons::kSide; }
    std::string& Bytes() { return m_bytes; }

private:
    bool m_firefox;
    std::string m_bytes;
    int64_t m_width = 0;
};

bool ChromiumIcon(HistoryDatabase& db, const std::string& page, std::string* icon)
{
    std::vector<int64_t> ids;
    if (!db.Lookup(kChromiumMapping, { page }, [&](const HistoryDatabase::Value* v, int) {
            if (v[0].isInteger)
                ids.push_back(v[0].integer);
            return ids.size() < 8;
        }))
        return false;
    Choice choice(false);
    int looked = 0;
    for (int64_t id : ids) {
        if (!db.Lookup(kChromiumBitmaps, { id }, [&](const HistoryDatabase::Value* v, int) {
                choice.Offer(v[0], v[1]);
                return ++looked < SiteIcons::kMostBitmaps && !choice.Exact();
            }))
            return false;
        if (choice.Exact() || looked >= SiteIcons::kMostBitmaps)
            break;
    }
    icon->swap(choice.Bytes());
    return true;
}

bool FirefoxIcon(HistoryDatabase& db, const std::string& page, std::string* icon)
{
    Choice choice(true);
    std::vector<int64_t> pageIds, iconIds;
    if (!db.Lookup(kFirefoxPage, { static_cast<int64_t>(SiteIcons::FirefoxHash(page)), page },
                   [&](const HistoryDatabase::Value* v, int) {
                       if (v[0].isInteger)
                           pageIds.push_back(v[0].integer);
                       return false;
                   }))
        return false;
    for (int64_t pageId : pageIds)
        if (!db.Lookup(kFirefoxIcons, { pageId }, [&](const HistoryDatabase::Value* v, int) {
                if (v[0].isInteger)
                    iconIds.push_back(v[0].integer);
                return iconIds.size() < static_cast<size_t>(SiteIcons::kMostBitmaps);
            }))
            return false;
    for (int64_t id : iconIds)
        if (!db.Lookup(kFirefoxIcon, { id }, [&](const HistoryDatabase::Value* v, int) {
                choice.Offer(v[0], v[1]);
                return false;
            }))
            return false;
    if (choice.Bytes().empty()) {
        const std::string site = SiteIcons::FirefoxSite(page);
        int looked = 0;
        if (!site.empty() &&
            !db.Lookup(kFirefoxRoot, { static_cast<int64_t>(SiteIcons::FirefoxHash(site + "/favicon.ico")) },
                       [&](const HistoryDatabase::Value* v, int) {
                           choice.Offer(v[0], v[1]);
                           return ++looked < SiteIcons::kMostBitmaps;
                       }))
            return false;
    }
    icon->swap(choice.Bytes());
    return true;
}
}

uint64_t SiteIcons::FirefoxHash(std::string_view url)
{
    const uint64_t hash = HashBytes(url.substr(0, 1500));
    const size_t colon = url.substr(0, 50).find(':');
    if (colon == std::string_view::npos)
        return hash;
    return (static_cast<uint64_t>(HashBytes(url.substr(0, colon)) & 0xFFFF) << 32) + hash;
}

std::string SiteIcons::FirefoxSite(std::string_view url)
{
    std::string site = SiteOf(url);
    site.erase(0, site.rfind('@') + 1);  // npos + 1: nothing
    if (site.compare(0, 4, "www.") == 0)
        site.erase(0, 4);
    return site;
}

std::vector<std::string> SiteIcons::Read(const std::string& utf8File, bool firefox, const std::vector<std::string>& pages,
                                         std::chrono::milliseconds limit)
{
    std::vector<std::string> icons(pages.size());
    const HistoryFileState before = HistoryFileState::Of(utf8File);
    if (before.databaseSize <= 0 || before.JournalUnderWay() || before.walSize > HistoryReading::kLargestWal)
        return icons;
    {
        HistoryDatabase db(utf8File, HistoryVfs::Mode::InPlace, QueryWatchdog::Clock::now() + limit);
        const bool fits =
            db.IsOpen() &&
            (firefox ? db.HasTable("moz_pages_w_icons", { "id", "page_url", "page_url_hash" }) &&
                           db.HasTable("moz_icons_to_pages", { "page_id", "icon_id" }) &&
                           db.HasTable("moz_icons", { "id", "data", "width", "root", "fixed_icon_url_hash" }) &&
                           db.HasFixedPlan(kFirefoxPage, "moz_pages_w_icons_urlhashindex") &&
                           db.HasFixedPlan(kFirefoxIcons, "PRIMARY KEY") && db.HasFixedPlan(kFirefoxIcon, nullptr) &&
                           db.HasFixedPlan(kFirefoxRoot, "moz_icons_iconurlhashindex")
                     : db.HasTable("icon_mapping", { "page_url", "icon_id" }) &&
                           db.HasTable("favicon_bitmaps", { "icon_id", "image_data", "width" }) &&
                           db.HasFixedPlan(kChromiumMapping, "icon_mapping_page_url_idx") &&
                           db.HasFixedPlan(kChromiumBitmaps, "favicon_bitmaps_icon_id"));
        if (!fits)
            return icons;
        for (size_t i = 0; i < pages.size(); ++i)
            if (!(firefox ? FirefoxIcon(db, pages[i], &icons[i]) : ChromiumIcon(db, pages[i], &icons[i])))
                return std::vector<std::string>(pages.size());
    }
    // Read while the browser wrote: nothing of it is trusted.
    if (!(HistoryFileState::Of(utf8File) == before))
        return std::vector<std::string>(pages.size());
    return icons;
}

std::vector<std::string> SiteIcons::ReadSites(const std::string& utf8File, bool firefox,
                                              const std::vector<std::vector<std::string>>& sitePages,
                                              std::chrono::milliseconds limit)
{
    std::vector<std::string> pages;
    for (const auto& site : sitePages)
        pages.insert(pages.end(), site.begin(), site.begin() + static_cast<ptrdiff_t>(std::min(site.size(), kPagesASite)));
    std::vector<std::string> icons = Read(utf8File, firefox, pages, limit);
    std::vector<std::string> bySite(sitePages.size());
    size_t at = 0;
    for (size_t s = 0; s < sitePages.size(); ++s)
        for (size_t p = 0; p < std::min(sitePages[s].size(), kPagesASite); ++p, ++at)
            if (bySite[s].empty())
                bySite[s].swap(icons[at]);
    return bySite;
}

std::string SiteIcons::SiteOf(std::string_view url)
{
    const size_t scheme = url.find("://");
    if (scheme == std::string_view::npos)
        return std::string();
    std::string site(url.substr(scheme + 3, url.find_first_of("/?#", scheme + 3) - scheme - 3));
    for (char& c : site)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    return site;
}

bool SiteIcons::IsFirefoxFile(std::string_view utf8File)
{
    const std::string_view name = "favicons.sqlite";
    if (utf8File.size() < name.size())
        return false;
    std::string tail(utf8File.substr(utf8File.size() - name.size()));
    for (char& c : tail)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    return tail == name;
}

// The icons that a browser keeps for the sites a person saw, read from a profile's icon
// database in place, as the histories are read (HistoryVfs, the value limits, a deadline; a
// file that changes meanwhile or cannot be read gives no icon, never a copy), and handed on
// only when IconBytes lets them be decoded.
//  - Chromium's `Favicons`: the page's icons (icon_mapping), of their bitmaps the 16-pixel
//    one, else the smallest.
//  - Firefox's `favicons.sqlite`: the page's icons (moz_pages_w_icons, moz_icons_to_pages,
//    moz_icons), the smallest at least 16 pixels wide; for a page without one, its site's
//    root icon (/favicon.ico), as Firefox shows it.
#pragma once
#include "HistoryReading.h"
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class SiteIcons {
public:
    // For each address of `pages`, its icon's bytes (empty: none to show).
    static std::vector<std::string> Read(const std::string& utf8File, bool firefox, const std::vector<std::string>& pages,
                                         std::chrono::milliseconds limit = HistoryReading::kDeadline);
    // For each site, the icon of the first of its pages that has one (empty: none).
    static std::vector<std::string> ReadSites(const std::string& utf8File, bool firefox,
                                              const std::vector<std::vector<std::string>>& sitePages,
                                              std::chrono::milliseconds limit = HistoryReading::kDeadline);
    // The site of an address as the list keeps one icon for it: its host and port in one case
    // (empty for an address without "://").
    static std::string SiteOf(std::string_view url);
    // Whether the icon file is Firefox's (else Chromium's).
    static bool IsFirefoxFile(std::string_view utf8File);
    // Firefox's hash of an address (its `hash()` SQL function): the bytes' hash, with the
    // scheme's in the 16 bits above it.
    static uint64_t FirefoxHash(std::string_view url);
    // The site of an address as Firefox's root icons name it: its host and port, without a
    // leading "www.".
    static std::string FirefoxSite(std::string_view url);

    static constexpr int64_t kSide = 16;
    // At most so many pages of a site are asked for its icon.
    static constexpr size_t kPagesASite = 3;
    // At most so many bitmaps of a page are looked at.
    static constexpr int kMostBitmaps = 32;
};

// A page that the reopen command may open, with where it came from: the URL cache (opened
// through the automated browser window) or a profile of a browser of today (opened in it).
#pragma once
#include "../history/Browsers.h"
#include "../history/VisitTime.h"
#include "../browser/LaunchCommand.h"
#include <cstdint>
#include <string>
#include <utility>

struct PageCandidate {
    PageCandidate() = default;
    PageCandidate(std::string address, int64_t time, const BrowserDescriptor* from, std::string profileFolder,
                  std::wstring opener, std::string pageTitle = {}, std::wstring profileShown = {}, bool open = false)
        : url(std::move(address)), timeUs(time), browser(from), profile(std::move(profileFolder)),
          program(std::move(opener)), title(std::move(pageTitle)), profileName(std::move(profileShown)), openNow(open)
    {
    }

    std::string url;                 // the URL cache's name as the scan kept it (ANSI), or a browser's address (UTF-8)
    int64_t timeUs = 0;              // microseconds since 1970-01-01 UTC
    const BrowserDescriptor* browser = nullptr;  // the browser whose history holds it; null: the URL cache
    std::string profile;             // the profile as the launcher takes it (`launch` says how), or empty
    std::wstring program;            // the browser that opens it; empty for the URL cache
    std::string title;               // UTF-8 as the page gave it (bounded, not cleaned); empty for none
    std::wstring profileName;        // the profile as its browser names it; empty for the URL cache
    bool openNow = false;            // open in a window or a tab now
    LaunchCommand::Browser launch = LaunchCommand::Browser::Chromium;  // how `profile` is given to the browser
    // The visit time as a file time (100-ns ticks since 1601-01-01 UTC).
    uint64_t FileTime() const
    {
        return timeUs > 0 ? static_cast<uint64_t>(timeUs + VisitTime::kMicros1601To1970) * 10 : 0;
    }
    bool operator==(const PageCandidate& o) const
    {
        return url == o.url && timeUs == o.timeUs && browser == o.browser && profile == o.profile &&
               program == o.program && title == o.title && profileName == o.profileName && openNow == o.openNow &&
               launch == o.launch;
    }
};

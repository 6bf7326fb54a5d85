// The profiles of today's browsers (Browsers) for the current user, and where each keeps its
// history. Found only when asked (never at start-up): for the Chromium family the "User Data"
// folders of every channel under the local application data, their subfolders that hold a
// History file (not the guest or system profile); for the Firefox family the profiles that
// profiles.ini names and that hold places.sqlite. Each with the name the browser shows for it.
#pragma once
#include "Browsers.h"
#include <string>
#include <vector>

struct BrowserProfile {
    const BrowserDescriptor* browser = nullptr;
    std::wstring userData;   // Chromium: the channel's "User Data" folder; Firefox: profiles.ini's folder
    std::wstring profile;    // Chromium: the profile's folder name; Firefox: the profile's folder
    std::wstring history;    // the history file
    std::wstring displayName;  // as the browser shows it (Chromium: Local State; Firefox: profiles.ini's
                               // Name), or the folder's name when it gives none; cut, not cleaned
};

class CBrowserProfiles {
public:
    // `localAppData` and `roamingAppData` without a trailing backslash; empty: the user's own.
    static std::vector<BrowserProfile> Find(std::wstring localAppData = {}, std::wstring roamingAppData = {});

    static constexpr size_t kMostProfilesPerFolder = 64;
};

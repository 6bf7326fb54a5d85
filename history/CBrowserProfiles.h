// The profiles of today's browsers (Browsers) for the current user, and where each keeps its
// history. Found only when asked (never at start-up), by each browser's layout: for a "User
// Data" folder of each channel, its subfolders that hold a History file (not the guest or system
// profile); for Opera's folder, its Default (or, on old versions, the folder itself) and its
// side profiles; for profiles.ini, the profiles it names that hold places.sqlite. Each with the
// name the browser shows for it.
#pragma once
#include "Browsers.h"
#include <string>
#include <vector>

struct BrowserProfile {
    const BrowserDescriptor* browser = nullptr;
    std::wstring userData;   // Chromium family: the channel's "User Data" folder (Opera: its folder);
                             // Firefox family: profiles.ini's folder
    std::wstring profile;    // Chromium family: the profile's folder name under userData (Opera: also
                             // "_side_profiles\<id>", or empty for the folder itself); Firefox
                             // family: the profile's folder
    std::wstring history;    // the history file
    std::wstring displayName;  // as the browser shows it (Chromium: Local State; Firefox: profiles.ini's
                               // Name), or the folder's name when it gives none; cut, not cleaned
    std::string name;        // Firefox family: profiles.ini's Name (UTF-8), empty for none
    // The profile's own folder.
    std::wstring Folder() const
    {
        if (browser && browser->family == BrowserFamily::Firefox)
            return profile;
        return profile.empty() ? userData : userData + L"\\" + profile;
    }
};

class CBrowserProfiles {
public:
    // `localAppData` and `roamingAppData` without a trailing backslash; empty: the user's own.
    static std::vector<BrowserProfile> Find(std::wstring localAppData = {}, std::wstring roamingAppData = {});

    // Whether any browser keeps a data folder for this user: a few look-ups of folders, cheap
    // enough for start-up (no profile is looked for).
    static bool AnyDataFolder();

    static constexpr size_t kMostProfilesPerFolder = 64;
};

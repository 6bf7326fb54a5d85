// Whether a browser runs with a profile now, told by the lock file that the running browser
// holds: Chromium's "lockfile" in the User Data folder (held for writing with read sharing only,
// and deleted when the browser ends, crash included), Firefox's "parent.lock" in the profile
// (held without any sharing; the file stays after the browser ends). A session file's tabs are
// open only while this holds; after the browser exits or crashes they are the pages to bring back.
#pragma once
#include "CBrowserProfiles.h"
#include <string>

class CProfileLock {
public:
    // The lock file of the profile's browser.
    static std::wstring FileOf(const BrowserProfile& profile);
    // Asked when the command runs, without waiting and without keeping the file open: opened
    // and closed at once, never created. No lock file, or one that opens, means not running.
    static bool IsHeld(const BrowserProfile& profile);
};

// A profile's last session as its browser would bring it back: the windows of the session file
// the browser itself would choose, whether the browser runs with the profile now (then those
// windows are open) and whether it restores them by itself at its next start. Chromium: the
// newest Sessions\Session_<time> that holds a whole state (else the older "Current Session" or
// "Last Session"); where the browser also writes encrypted copies (Sessions_Encrypted), the
// newer of the two when the user's key opens it, else the reason. Firefox: the first readable
// of its session files in the order the browser tries them. Files are opened for reading only,
// with every kind of sharing, each read whole within SessionWindows' bounds.
#pragma once
#include "CBrowserProfiles.h"
#include "SessionWindow.h"
#include <vector>

struct LastSession {
    enum class Kind {
        kRead,
        kNone,        // no session file
        kUnreadable,  // session files, none readable
        kEncrypted,   // only encrypted ones, and no key of the user's that opens them
        kOutOfDate,   // the clear file is older than an encrypted one that cannot be opened
    };
    Kind kind = Kind::kNone;
    std::vector<SessionWindow> windows;  // what can be opened of it (SessionWindows::Keep)
    bool open = false;                   // the browser runs with the profile now
    bool restoresItself = false;         // stopped, and brings these windows back when started
};

class CLastSession {
public:
    static LastSession Read(const BrowserProfile& profile);
    // The session file that the browser writes while it runs with the profile (what Read reads
    // for a running one): Chromium's newest Session_<time> (before its Sessions folder,
    // "Current Session"), Firefox's recovery file.
    static std::wstring CurrentFile(const BrowserProfile& profile);

    // An encrypted copy counts as newer when its name's time is later by more than this: the
    // browser names both copies of one file within moments of each other.
    static constexpr int64_t kSameFileUs = 60LL * 1000000;
};

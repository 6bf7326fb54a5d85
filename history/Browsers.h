// Today's browsers that the program knows, one row each: its identity, how it is named, the
// family whose files and command line it shares, how its profiles lie, its program, and where
// it keeps its profiles. Everything that differs from one browser to another is a value of this
// table; the code that finds profiles, reads them, shows them and starts the browsers asks it,
// and a further browser of a known family is a further row.
#pragma once
#include <string>
#include <vector>

enum class BrowserFamily { Chromium, Firefox };

// How a browser's profiles lie in its data folders.
enum class ProfileLayout {
    UserData,     // a "User Data" folder per channel; profiles Default and "Profile N" in it
    OperaFolder,  // the folder holds the profile itself (old versions) or Default (current ones),
                  // and side profiles in _side_profiles\<id>
    ProfilesIni,  // profiles.ini names the profiles
};

// A folder under the user's local (%LOCALAPPDATA%) or roaming (%APPDATA%) application data; a
// "*" may stand for the rest of one folder's name (a Store package's).
struct BrowserDataFolder {
    bool roaming;
    const wchar_t* path;
};

struct BrowserDescriptor {
    const char* key;                // its identity, and its key in the settings ([BROWSERS])
    const wchar_t* displayName;     // as the sources dialog shows it
    BrowserFamily family;           // Chromium: History, SNSS sessions, lockfile; Firefox: places.sqlite,
                                    // mozLz4 sessions, parent.lock
    ProfileLayout layout;
    const wchar_t* executable;      // its program's file name
    // UserData: each channel's folder that holds "User Data", the stable channel first;
    // OperaFolder: the profiles' folder; ProfilesIni: the folder that holds profiles.ini.
    std::vector<BrowserDataFolder> dataFolders;
    // Where the stable channel's program usually is, environment variables allowed.
    std::vector<const wchar_t*> programFolders;
    // For a program file name that other programs share ("chrome.exe", "browser.exe",
    // "launcher.exe"): a folder name its path must hold to be this browser's ("\Chromium\").
    const wchar_t* programMark = nullptr;
};

class Browsers {
public:
    static const std::vector<BrowserDescriptor>& All();
    // The row of that key; null for none.
    static const BrowserDescriptor* Find(const std::string& key);
};

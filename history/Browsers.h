// Today's browsers that the program knows, one row each: its identity, how it is named, the
// family whose files and command line it shares, its program, and where it keeps its profiles.
// Everything that differs from one browser to another is a value of this table; the code that
// finds profiles, reads them, shows them and starts the browsers asks it, and a further browser
// of a known family is a further row.
#pragma once
#include <string>
#include <vector>

enum class BrowserFamily { Chromium, Firefox };

struct BrowserDescriptor {
    const char* key;                // its identity, and its key in the settings ([BROWSERS])
    const wchar_t* displayName;     // as the sources dialog shows it
    BrowserFamily family;           // Chromium: History, SNSS sessions, --profile-directory;
                                    // Firefox: profiles.ini, places.sqlite, mozLz4 sessions
    const wchar_t* executable;      // its program's file name
    // Chromium: each channel's folder under the local application data, the stable channel
    // first, each holding "User Data"; Firefox: the folder under the roaming application data
    // that holds profiles.ini.
    std::vector<const wchar_t*> dataFolders;
    // Where the stable channel's program usually is, environment variables allowed.
    std::vector<const wchar_t*> programFolders;
};

class Browsers {
public:
    static const std::vector<BrowserDescriptor>& All();
    // The row of that key; null for none.
    static const BrowserDescriptor* Find(const std::string& key);
};

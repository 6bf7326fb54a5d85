// The browsers of today on this machine: where each one's program is, and opening one page in
// a new window of it.
#pragma once
#include "LaunchCommand.h"
#include <string>

enum class InstalledBrowser { Edge, Chrome, Firefox };

class CBrowserLauncher {
public:
    // The program's full path: the App Paths key (the user's, then the machine's), then the
    // program of the browser's StartMenuInternet entry, then the usual install folders. Empty
    // when none of them names a file that exists.
    static std::wstring Find(InstalledBrowser browser);

    // Starts `program` with the page in a new window (of `profile`, for Chromium), then waits
    // until the new process has exited or waits for input, at most `waitMs`. False when the
    // address may not be opened or the program could not be started.
    static bool Open(const std::wstring& program, InstalledBrowser browser, const std::string& profile,
                     const std::string& utf8Url, unsigned waitMs = 2000);

    static const wchar_t* ExecutableName(InstalledBrowser browser);
};

// The browsers of today on this machine: where each one's program is, and opening one page in
// a new window of it.
#pragma once
#include "LaunchCommand.h"
#include <string>
#include <vector>

class CBrowserLauncher {
public:
    // The full path of the program `executable` ("chrome.exe"): the App Paths key (the
    // user's, then the machine's), then the program of a StartMenuInternet entry of that name,
    // then each of `programFolders`. With a `mark` ("\Chromium\"), only a path that holds it
    // counts: other programs have that file name too. Empty when none of them names a file
    // that exists.
    static std::wstring Find(const wchar_t* executable, const std::vector<const wchar_t*>& programFolders,
                             const wchar_t* mark = nullptr);

    // Starts `program`, a browser of that family, with the page in a new window (of
    // `profile`, for Chromium), then waits until the new process has exited or waits for
    // input, at most `waitMs`. False when the address may not be opened or the program could
    // not be started.
    static bool Open(const std::wstring& program, LaunchCommand::Browser family, const std::string& profile,
                     const std::string& utf8Url, unsigned waitMs = 2000);
    // The pages (oldest first) as tabs of one new window of `program` and `profile`, in as few
    // commands as the command line allows (LaunchCommand::TabCommands), one after the other.
    // Whether each page was handed to a started command.
    static std::vector<bool> OpenTabs(const std::wstring& program, LaunchCommand::Browser family,
                                      const std::string& profile, const std::vector<std::string>& utf8Urls,
                                      unsigned waitMs = 2000);
};

// The browsers of today on this machine: where each one's program is, and opening one page in
// a new window of it.
#pragma once
#include "LaunchCommand.h"
#include <cstdint>
#include <string>
#include <vector>

class CBrowserLauncher {
public:
    // The full path of the program `executable` ("chrome.exe"): the App Paths key (the
    // user's, then the machine's), then the program of a StartMenuInternet entry of that name,
    // then each of `programFolders`. With a `mark` ("\Chromium\"), only a path that holds it
    // counts: other programs have that file name too. A program in a Store package
    // ("\WindowsApps\") counts only for a mark that names that folder. Empty when none of them
    // names a file that exists.
    static std::wstring Find(const wchar_t* executable, const std::vector<const wchar_t*>& programFolders,
                             const wchar_t* mark = nullptr);

    // Starts `program`, a browser of that family, with the page in a new window (of
    // `profile`, for Chromium), then waits until the new process has exited or waits for
    // input, at most `waitMs`. 0 when started, else why not: the system's error of the start,
    // ERROR_FILE_NOT_FOUND without a program, ERROR_INVALID_PARAMETER for an address that may
    // not be opened.
    static uint32_t Open(const std::wstring& program, LaunchCommand::Browser family, const std::string& profile,
                     const std::string& utf8Url, unsigned waitMs = 2000);
    // Starts `program` in `profile` with no page (the browser restores what it restores by
    // itself); 0 when started, else why not (as Open).
    static uint32_t StartProfile(const std::wstring& program, LaunchCommand::Browser family, const std::string& profile,
                                 unsigned waitMs = 2000);
    // The pages (oldest first) as tabs of one new window of `program` and `profile`, in as few
    // commands as the command line allows (LaunchCommand::TabCommands), one after the other.
    // For each page, 0 when it was handed to a started command, else why not (as Open).
    static std::vector<uint32_t> OpenTabs(const std::wstring& program, LaunchCommand::Browser family,
                                      const std::string& profile, const std::vector<std::string>& utf8Urls,
                                      unsigned waitMs = 2000);
};

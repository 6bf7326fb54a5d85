// The command line that opens one page in a new window of a browser of today. An address from
// a history is data written by web pages: it reaches the browser as exactly one argument, after
// the browser's end of switches where it has one, with every character that could end or split
// an argument percent-encoded (which leaves the address the same), and only when it begins
// with a scheme.
#pragma once
#include <string>
#include <vector>

class LaunchCommand {
public:
    // How the browser is told which profile: Chromium, --profile-directory=<folder name>;
    // Opera, --side-profile-name=<folder name> for a side profile (none for its main one);
    // Firefox, -P <name>; FirefoxPath, --profile <folder> (a profile without a name). An empty
    // profile: no switch, the browser's own choice.
    enum class Browser { Chromium, Opera, Firefox, FirefoxPath };

    // The address as it may stand in one argument: quotes, spaces, tabs and control characters
    // (bytes below 0x21 and 0x7F) as %XX. False, and nothing to open, without "scheme:" first,
    // or for an address that runs a script or carries its own content (javascript:, vbscript:,
    // data:): a history is no place to take those from.
    static bool SafeUrl(const std::string& url, std::string* safe);

    // The profile's switch alone: the browser started in that profile with no page, so that
    // it brings back its own last windows.
    static std::vector<std::string> ProfileArguments(Browser browser, const std::string& profile);

    // The arguments after the program. Chromium family: the profile's switch (when one is
    // named), --new-window, --, the address. Firefox family: the profile's switch, -new-window,
    // the address.
    static std::vector<std::string> Arguments(Browser browser, const std::string& profile, const std::string& safeUrl);

    // The commands that open the pages (safe addresses, oldest first) as tabs of one new window,
    // left to right, each command's line (`programLength` characters of the program's path,
    // with its quotes, and the arguments) at most `longest` characters: Chromium family,
    // --new-window and the addresses after --, later parts into that window without
    // --new-window; Firefox family, -new-window for one page, each page after -url for more
    // (one new window, whether Firefox runs or not), and a part that does not fit a new window
    // of its own the same way (-new-tab would go into whichever window is in front). A page
    // that fits in no command is left out and named in `left`; `pages` gets how many pages
    // each command holds.
    static std::vector<std::vector<std::string>> TabCommands(Browser browser, const std::string& profile,
                                                              const std::vector<std::string>& safeUrls,
                                                              size_t programLength, size_t longest,
                                                              std::vector<std::string>* left = nullptr,
                                                              std::vector<size_t>* pages = nullptr);
    // What CreateProcessW takes at most, with the terminating zero.
    static constexpr size_t kLongestCommandLine = 32767;

    // The program in quotes, then each argument quoted where it needs it, by the rules that
    // CommandLineToArgvW (and the C runtime) read back: one argument each, the same bytes.
    static std::string CommandLine(const std::string& program, const std::vector<std::string>& args);
    // What follows the program: each argument after a space, quoted where it needs it.
    static std::string ArgumentsLine(const std::vector<std::string>& args);
    static std::string Quote(const std::string& arg);
};

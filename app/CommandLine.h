// What the program was started to do: Backtracker.exe [/reopen [/quiet] | /restore [/quiet] |
// /list [/windows] | /?], each switch also with "-" for "/", letter case aside. Nothing else is
// taken: any other argument, a switch twice, /quiet without /reopen or /restore, /windows
// without /list, or two commands make the line a bad one.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

class CommandLine {
public:
    enum Action {
        Dialog,  // no argument: the main dialog
        Reopen,  // reopen as the main dialog's button would, without a dialog
        List,    // the list of recent pages, without the main dialog
        Restore, // the last windows of every chosen browser reopened, without a dialog
        Usage,   // the usage, asked for
        Bad,     // the usage, with the argument that was not understood
    };
    struct Parsed {
        Action action = Dialog;
        bool quiet = false;     // /reopen, /restore: no message when nothing is found
        bool windows = false;   // /list: in its view of the last windows
        std::u16string bad;     // Bad: the first argument not understood
    };

    // `arguments` without the program's own name.
    static Parsed Parse(const std::vector<std::u16string>& arguments);

    // How a start without the dialog ends: every page opened, nothing found, an error (a bad
    // line, unreadable settings, no page could be opened), some pages opened and some not.
    enum ExitCodes { kAllOpened = 0, kNothingFound = 1, kError = 2, kSomeNotOpened = 3 };
    // The exit code of a reopen that found `found` pages and opened `opened` of them.
    static int ExitCode(size_t found, size_t opened);
};

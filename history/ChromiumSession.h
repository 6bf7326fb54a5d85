// A Chromium profile's session file (Sessions/Session_<time>, or the older "Current Session"
// and "Last Session"): "SNSS", a 32-bit version, then commands. Versions 1 and 3 hold each
// command in clear: a 16-bit size (the id byte and the contents), the id, the contents.
// Version 5 holds each one encrypted on its own: a 32-bit size, then what the browser's
// encryptor made of the id and the contents. The commands are replayed as the browser
// replays them when it restores: a window exists once it is given a type; a tab belongs to
// the window it was last put in, at its visual index; its current page is the navigation at
// its selected index (the nearest one after it, else the last), after the history's pruning;
// closing a tab or a window forgets it. Every length is checked against what is left; a
// command cut short at the end (a crash while writing) ends the file, and every whole command
// before it counts. A command of a size other than its own is passed over; a file whose replay
// takes longer than JsonText's deadline is given up as unreadable.
#pragma once
#include "SessionWindow.h"
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

class ChromiumSession {
public:
    enum class File {
        kNotSession,  // not a session file, or of a version never read
        kReadable,
        kNoMarker,    // its first full state was never written whole: the browser passes it over
        kEncrypted,   // version 5 (or 2 or 4) without a key that opens it
    };
    // Decrypts one record of a version-5 file; false when it cannot.
    using Decrypt = std::function<bool(std::string_view record, std::string* plain)>;

    // The normal windows of the file as the browser would restore them, in the order they were
    // made, each with its tabs in their order (popup, app and developer-tools windows left out),
    // every tab's address as the file has it: SessionWindows::Keep says which can open.
    static File Windows(const std::string& fileBytes, std::vector<SessionWindow>* windows,
                        const Decrypt& decrypt = {});

    // The pages open in it when the browser that writes it runs: the current pages of the
    // tabs of every window not closed, whatever its type. False (and nothing) when the file
    // is not one that can be read.
    static bool OpenUrls(const std::string& fileBytes, std::set<std::string>* urls, const Decrypt& decrypt = {});

    // The file's version; 0 when it is no session file.
    static int32_t Version(const std::string& fileBytes);
    // The time in a file's name "Session_<microseconds since 1601>"; false for another name.
    static bool NameTime(std::string_view name, int64_t* time);
};

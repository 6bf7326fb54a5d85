// A Firefox profile's session file (sessionstore.jsonlz4 and its backups): "mozLz40\0", the
// decompressed size (32 bits, little endian), one LZ4 block, and in it JSON whose
// windows[].tabs[] each show entries[index - 1]. The file is written by the browser from what
// web pages gave it: every size is checked before it is used, the block is decoded with the
// declared size as its hard limit, a size that the file cannot hold is refused, the JSON is
// parsed within JsonText's bounds, and anything unreadable means nothing is known.
#pragma once
#include "SessionWindows.h"
#include <set>
#include <string>
#include <vector>

class FirefoxSession {
public:
    // The addresses of the selected entries of the open tabs of the open windows; false (and
    // nothing) when the file is not a readable session.
    static bool OpenUrls(const std::string& fileBytes, std::set<std::string>* urls);

    // The windows the browser would restore from the file, in its order (popups left out),
    // each tab's page chosen as the browser chooses it (the 1-based index, kept within the
    // entries; none: the last), its pin and its tab group's name. Closed windows and tabs are
    // not in it. Every tab's address as the file has it: SessionWindows::Keep says which can open.
    static bool Windows(const std::string& fileBytes, std::vector<SessionWindow>* windows);

    // The session files of a profile (relative to its folder) in the order the browser tries
    // them when it starts, `upgradeNames` (the upgrade.jsonlz4-* files of its backups folder)
    // the newest of them. While the browser runs, what it shows now is in the recovery file: first.
    static std::vector<std::wstring> FilesInOrder(std::vector<std::wstring> upgradeNames, bool running);

    // Whether a block of `block` bytes may be decoded to `declared` bytes: not empty, not more
    // than a session can be, and no more than the block could expand to.
    static bool SizeFits(size_t declared, size_t block);

    // A block expands at most this much (LZ4's own limit is about 255).
    static constexpr size_t kMostExpansion = 255;
    static constexpr size_t kLargestSession = SessionWindows::kLargestFile;
};

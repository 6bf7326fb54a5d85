// The pages open in a Firefox profile right now, from its session file
// (sessionstore-backups/recovery.jsonlz4): "mozLz40\0", the decompressed size (32 bits, little
// endian), one LZ4 block, and in it JSON whose windows[].tabs[] each show entries[index - 1].
// The file is written by the browser from what web pages gave it: every size is checked before
// it is used, the block is decoded with the declared size as its hard limit, a size that the
// file cannot hold is refused, and anything unreadable means "no page known open".
#pragma once
#include <set>
#include <string>

class FirefoxSession {
public:
    // The addresses of the selected entries of the open tabs of the open windows; false (and
    // nothing) when the file is not a readable session.
    static bool OpenUrls(const std::string& fileBytes, std::set<std::string>* urls);

    // Whether a block of `block` bytes may be decoded to `declared` bytes: not empty, not more
    // than a session can be, and no more than the block could expand to.
    static bool SizeFits(size_t declared, size_t block);

    // A block expands at most this much (LZ4's own limit is about 255).
    static constexpr size_t kMostExpansion = 255;
    static constexpr size_t kLargestSession = 64u << 20;
};

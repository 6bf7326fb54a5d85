// A Chromium channel's "Local State" file, as far as the program needs it: the name the user
// sees for each profile (profile.info_cache.<folder>.name) and the key of what it encrypts.
// The file is the browser's, written by a program that web pages can reach: it is parsed with
// bounds and no exceptions, and anything not as expected is passed over.
#pragma once
#include <map>
#include <string>

class ChromiumLocalState {
public:
    // Each profile folder's name, as UTF-8, each cut to kLongestName bytes; nothing when the
    // text is not such a file.
    static std::map<std::string, std::string> ProfileNames(const std::string& json);

    // The browser's key for what it encrypts (os_crypt.encrypted_key: base64 of "DPAPI" and the
    // key as the user's DPAPI protects it), as the file writes it; empty for none or one too long.
    static std::string EncryptedKey(const std::string& json);

    static constexpr size_t kLargestFile = 16u << 20;
    static constexpr size_t kLongestName = 256;
    static constexpr size_t kMostProfiles = 256;
};

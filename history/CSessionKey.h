// The key that opens a Chromium channel's encrypted session files on Windows. Each record is
// "v10", a 12-byte nonce, the AES-256-GCM cipher text and its 16-byte tag; the key is Local
// State's os_crypt.encrypted_key, which the user's own DPAPI protects. Records of another
// kind ("v20": a key that only the browser's elevated service gives out) are not opened.
#pragma once
#include "ChromiumSession.h"
#include <string>

class CSessionKey {
public:
    // The decryptor for the channel's "User Data" folder; empty when it has no key the user's
    // DPAPI opens.
    static ChromiumSession::Decrypt ForUserData(const std::wstring& userData);
};

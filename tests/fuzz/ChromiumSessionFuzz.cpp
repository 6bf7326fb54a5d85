// libFuzzer: Chromium's session files, any bytes: the open pages and the last session's windows.
#include "history/ChromiumSession.h"
#include "history/SessionWindows.h"
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::set<std::string> urls;
    ChromiumSession::OpenUrls(bytes, &urls);
    std::vector<SessionWindow> windows;
    ChromiumSession::Windows(bytes, &windows);
    SessionWindows::Keep(&windows);
    // The same records as version 5, each "decrypted" as it stands.
    ChromiumSession::Windows(bytes, &windows, [](std::string_view record, std::string* plain) {
        plain->assign(record);
        return !record.empty() && record[0] != 'x';
    });
    return 0;
}

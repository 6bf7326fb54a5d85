// libFuzzer: Firefox's session files, any bytes; and, so that the JSON behind the block is
// reached too, the same bytes as a session's JSON in a valid block.
#include "../common/SessionFiles.h"
#include "history/FirefoxSession.h"
#include "history/SessionWindows.h"
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::set<std::string> urls;
    FirefoxSession::OpenUrls(bytes, &urls);
    std::vector<SessionWindow> windows;
    if (size > 0 && size < (1u << 20) && FirefoxSession::Windows(MozLz4(bytes), &windows))
        SessionWindows::Keep(&windows);
    return 0;
}

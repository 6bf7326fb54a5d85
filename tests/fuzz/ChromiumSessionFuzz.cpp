// libFuzzer: Chromium's session files, any bytes.
#include "history/ChromiumSession.h"
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::set<std::string> urls;
    ChromiumSession::OpenUrls(std::string(reinterpret_cast<const char*>(data), size), &urls);
    return 0;
}

#include "FirefoxSession.h"
#include <lz4.h>
#include "JsonText.h"
#include <cstdint>
#include <cstring>
#include <vector>

namespace {
const char kMagic[] = "mozLz40";  // with its zero byte: 8 bytes
constexpr size_t kHeader = 8 + 4;
}

bool FirefoxSession::SizeFits(size_t declared, size_t block)
{
    return declared > 0 && declared <= kLargestSession && declared / kMostExpansion <= block && block <= INT32_MAX;
}

bool FirefoxSession::OpenUrls(const std::string& file, std::set<std::string>* urls)
{
    if (file.size() <= kHeader || std::memcmp(file.data(), kMagic, 8) != 0)
        return false;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(file.data()) + 8;
    const size_t declared = static_cast<size_t>(p[0]) | static_cast<size_t>(p[1]) << 8 | static_cast<size_t>(p[2]) << 16 |
                            static_cast<size_t>(p[3]) << 24;
    const size_t block = file.size() - kHeader;
    if (!SizeFits(declared, block))
        return false;
    std::vector<char> json(declared);
    int got = LZ4_decompress_safe(file.data() + kHeader, json.data(), static_cast<int>(block), static_cast<int>(declared));
    if (got != static_cast<int>(declared))
        return false;
    // No exceptions: a document that does not parse is a discarded value.
    nlohmann::json session = JsonText::Parse(json.data(), json.size());
    if (session.is_discarded() || !session.is_object())
        return false;
    auto windows = session.find("windows");
    if (windows == session.end() || !windows->is_array())
        return false;
    std::set<std::string> found;
    for (const auto& window : *windows) {
        if (!window.is_object())
            continue;
        auto tabs = window.find("tabs");
        if (tabs == window.end() || !tabs->is_array())
            continue;
        for (const auto& tab : *tabs) {
            if (!tab.is_object())
                continue;
            auto entries = tab.find("entries");
            auto index = tab.find("index");
            if (entries == tab.end() || !entries->is_array() || index == tab.end() || !index->is_number_integer())
                continue;
            int64_t i = index->get<int64_t>();
            if (i < 1 || static_cast<uint64_t>(i) > entries->size())
                continue;
            const auto& entry = (*entries)[static_cast<size_t>(i - 1)];
            if (!entry.is_object())
                continue;
            auto url = entry.find("url");
            if (url != entry.end() && url->is_string())
                found.insert(url->get<std::string>());
        }
    }
    urls->insert(found.begin(), found.end());
    return true;
}

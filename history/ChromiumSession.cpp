#include "ChromiumSession.h"
#include <cstdint>
#include <cstring>
#include <map>

namespace {
enum : uint8_t {
    kSetTabWindow = 0,
    kUpdateTabNavigation = 6,
    kSetSelectedNavigationIndex = 7,
    kTabClosed = 16,
    kWindowClosed = 17,
};

// Reads little-endian fields from a range, never past its end.
class Reader {
public:
    Reader(const char* data, size_t size) : m_p(data), m_left(size) {}
    bool Skip(size_t n)
    {
        if (n > m_left)
            return false;
        m_p += n;
        m_left -= n;
        return true;
    }
    template <typename T>
    bool Read(T* value)
    {
        if (sizeof(T) > m_left)
            return false;
        std::memcpy(value, m_p, sizeof(T));
        return Skip(sizeof(T));
    }
    // A Pickle string: a 32-bit length, the bytes, padding to 4.
    bool ReadString(std::string* s)
    {
        int32_t length = 0;
        if (!Read(&length) || length < 0 || static_cast<size_t>(length) > m_left)
            return false;
        s->assign(m_p, static_cast<size_t>(length));
        return Skip((static_cast<size_t>(length) + 3) & ~size_t(3)) || Skip(m_left);
    }
    const char* Data() const { return m_p; }
    size_t Left() const { return m_left; }

private:
    const char* m_p;
    size_t m_left;
};

struct Tab {
    int32_t window = 0;
    bool hasWindow = false;
    bool closed = false;
    int32_t selected = 0;
    bool hasSelected = false;
    std::map<int32_t, std::string> entries;
};
}

bool ChromiumSession::OpenUrls(const std::string& file, std::set<std::string>* urls)
{
    Reader reader(file.data(), file.size());
    char magic[4];
    int32_t version = 0;
    if (!reader.Read(&magic) || std::memcmp(magic, "SNSS", 4) != 0 || !reader.Read(&version) ||
        (version != 1 && version != 3))
        return false;
    std::map<int32_t, Tab> tabs;
    std::set<int32_t> closedWindows;
    while (reader.Left() > 0) {
        uint16_t size = 0;
        uint8_t id = 0;
        if (!reader.Read(&size) || size == 0 || size > reader.Left() || !reader.Read(&id))
            return false;  // cut short: nothing is known
        Reader contents(reader.Data(), size - 1u);
        reader.Skip(size - 1u);
        int32_t first = 0, second = 0;
        switch (id) {
        case kSetTabWindow:  // window id, tab id
            if (contents.Read(&first) && contents.Read(&second)) {
                tabs[second].window = first;
                tabs[second].hasWindow = true;
            }
            break;
        case kSetSelectedNavigationIndex:  // tab id, index
            if (contents.Read(&first) && contents.Read(&second)) {
                tabs[first].selected = second;
                tabs[first].hasSelected = true;
            }
            break;
        case kTabClosed:  // tab id, padding, time
            if (contents.Read(&first))
                tabs[first].closed = true;
            break;
        case kWindowClosed:  // window id, padding, time
            if (contents.Read(&first))
                closedWindows.insert(first);
            break;
        case kUpdateTabNavigation: {  // a Pickle: its size, tab id, index, url, title, ...
            uint32_t pickled = 0;
            std::string url;
            if (contents.Read(&pickled) && pickled <= contents.Left() && contents.Read(&first) &&
                contents.Read(&second) && contents.ReadString(&url))
                tabs[first].entries[second] = url;
            break;
        }
        default:
            break;  // the snapshot's end marker, other records, Edge's own
        }
    }
    std::set<std::string> found;
    for (const auto& [id, tab] : tabs) {
        if (tab.closed || !tab.hasSelected || (tab.hasWindow && closedWindows.count(tab.window)))
            continue;
        auto entry = tab.entries.find(tab.selected);
        if (entry != tab.entries.end() && !entry->second.empty())
            found.insert(entry->second);
    }
    urls->insert(found.begin(), found.end());
    return true;
}

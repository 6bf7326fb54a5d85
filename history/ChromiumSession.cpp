#include "ChromiumSession.h"
#include "JsonText.h"
#include "../text/TitleText.h"
#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

namespace {
enum : uint8_t {
    kSetTabWindow = 0,
    kSetTabIndexInWindow = 2,
    kPrunedFromBack = 5,
    kUpdateTabNavigation = 6,
    kSetSelectedNavigationIndex = 7,
    kSetWindowType = 9,
    kPrunedFromFront = 11,
    kSetPinnedState = 12,
    kTabClosed = 16,
    kWindowClosed = 17,
    kPruned = 24,
    kSetTabGroup = 25,
    kSetTabGroupMetadata2 = 27,
    kInitialStateMarker = 255,
};
constexpr int32_t kNormalWindow = 0;
// A file names at most this many tabs, windows and groups, and keeps this many navigations a
// tab, whatever it claims (the browser keeps 50 a tab): a hostile file cannot make the
// replay larger than a real one.
constexpr size_t kMostIds = 4 * 10000;
constexpr size_t kMostNavigations = 256;

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
    // A Pickle string of `unit`-byte characters: a 32-bit count, the bytes, padding to 4.
    bool ReadString(std::string* s, size_t unit = 1)
    {
        int32_t count = 0;
        if (!Read(&count) || count < 0 || static_cast<size_t>(count) > m_left / unit)
            return false;
        const size_t bytes = static_cast<size_t>(count) * unit;
        s->assign(m_p, bytes);
        return Skip((bytes + 3) & ~size_t(3)) || Skip(m_left);
    }
    const char* Data() const { return m_p; }
    size_t Left() const { return m_left; }

private:
    const char* m_p;
    size_t m_left;
};

// UTF-16LE bytes as UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf8OfUtf16(const std::string& bytes)
{
    std::u16string text(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(static_cast<uint8_t>(bytes[2 * i]) | static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
    return TitleText::Utf8(text);
}

using GroupToken = std::pair<uint64_t, uint64_t>;

struct Navigation {
    std::string url;
    std::string title;
};
struct Tab {
    int32_t window = 0;
    int32_t visualIndex = 0;
    int32_t selected = -1;
    std::map<int32_t, Navigation> navigations;  // by the index in the tab's history
    bool pinned = false;
    bool inGroup = false;
    GroupToken group;
    // The current navigation: the first at or after the selected index, else the last.
    const Navigation* Current() const
    {
        if (navigations.empty())
            return nullptr;
        auto at = navigations.lower_bound(selected);
        return at == navigations.end() ? &navigations.rbegin()->second : &at->second;
    }
};
struct Window {
    bool typed = false;  // given a type since it was last closed: it exists
    int32_t type = -1;
};

// The commands of one file replayed into tabs and windows.
class Replay {
public:
    void Command(uint8_t id, const char* data, size_t size)
    {
        Tab none;  // what a command for a tab past the bound writes to
        Reader c(data, size);
        int32_t a = 0, b = 0, n = 0;
        // The fixed-size commands are plain structures: a size other than theirs is passed over.
        const auto two = [&] { return size == 8 && c.Read(&a) && c.Read(&b); };
        switch (id) {
        case kSetTabWindow:
            if (two())
                TabOf(b, none).window = a;
            break;
        case kSetTabIndexInWindow:
            if (two())
                TabOf(a, none).visualIndex = b;
            break;
        case kSetSelectedNavigationIndex:
            if (two())
                TabOf(a, none).selected = b;
            break;
        case kSetWindowType:
            if (two()) {
                if (m_windows.size() < kMostIds || m_windows.count(a)) {
                    m_windows[a].typed = true;
                    m_windows[a].type = b;
                }
                m_closedWindows.erase(a);
            }
            break;
        case kSetPinnedState:
            if (size == 8 && c.Read(&a)) {
                uint8_t pinned = 0;
                c.Read(&pinned);
                TabOf(a, none).pinned = pinned != 0;
            }
            break;
        case kTabClosed:
            if (size == 16 && c.Read(&a))
                m_tabs.erase(a);
            break;
        case kWindowClosed:
            if (size == 16 && c.Read(&a)) {
                m_windows.erase(a);
                if (m_closedWindows.size() < kMostIds)
                    m_closedWindows.insert(a);
            }
            break;
        case kPrunedFromBack:
            if (two()) {
                auto& navs = TabOf(a, none).navigations;
                navs.erase(navs.lower_bound(b), navs.end());
            }
            break;
        case kPrunedFromFront:
            if (two() && b > 0) {
                Tab& tab = TabOf(a, none);
                tab.selected = static_cast<int32_t>(std::max<int64_t>(-1, int64_t{ tab.selected } - b));
                std::map<int32_t, Navigation> kept;
                for (auto& [index, nav] : tab.navigations)
                    if (index >= b)
                        kept.emplace(index - b, std::move(nav));
                tab.navigations = std::move(kept);
            }
            break;
        case kPruned:
            if (size == 12 && c.Read(&a) && c.Read(&b) && c.Read(&n) && n > 0 && b >= 0 && b <= INT32_MAX - n) {
                Tab& tab = TabOf(a, none);
                if (tab.selected >= b + n)
                    tab.selected -= n;
                else if (tab.selected >= b)
                    tab.selected = b;
                std::map<int32_t, Navigation> kept;
                for (auto& [index, nav] : tab.navigations)
                    if (index < b || index >= b + n)
                        kept.emplace(index < b ? index : index - n, std::move(nav));
                tab.navigations = std::move(kept);
            }
            break;
        case kSetTabGroup:
            if (size == 32 && c.Read(&a) && c.Skip(4)) {
                GroupToken token;
                uint8_t has = 0;
                if (c.Read(&token.first) && c.Read(&token.second) && c.Read(&has)) {
                    TabOf(a, none).inGroup = has != 0;
                    TabOf(a, none).group = token;
                }
            }
            break;
        case kSetTabGroupMetadata2: {  // a Pickle: its size, the token, the title (UTF-16), ...
            uint32_t pickled = 0;
            GroupToken token;
            std::string title;
            if (c.Read(&pickled) && pickled <= c.Left() && c.Read(&token.first) && c.Read(&token.second) &&
                c.ReadString(&title, 2))
                if (m_groupTitles.size() < kMostIds || m_groupTitles.count(token))
                    m_groupTitles[token] = Utf8OfUtf16(title);
            break;
        }
        case kUpdateTabNavigation: {  // a Pickle: its size, tab id, index, url, title (UTF-16), ...
            uint32_t pickled = 0;
            Navigation nav;
            if (c.Read(&pickled) && pickled <= c.Left() && c.Read(&a) && c.Read(&b) && c.ReadString(&nav.url)) {
                std::string title;
                if (c.ReadString(&title, 2))
                    nav.title = Utf8OfUtf16(title);
                auto& navs = TabOf(a, none).navigations;
                if (navs.size() < kMostNavigations || navs.count(b))
                    navs[b] = std::move(nav);
            }
            break;
        }
        case kInitialStateMarker:
            m_marker = true;
            break;
        default:
            break;  // bounds, times, app names, and what other browsers of the family add
        }
    }

    bool Marker() const { return m_marker; }

    std::vector<SessionWindow> NormalWindows() const
    {
        // Each window's tabs by (visual index, id); windows by id, the order they were made in.
        std::map<int32_t, std::vector<std::pair<std::pair<int32_t, int32_t>, const Tab*>>> byWindow;
        for (const auto& [id, tab] : m_tabs) {
            auto window = m_windows.find(tab.window);
            if (tab.Current() && window != m_windows.end() && window->second.typed && window->second.type == kNormalWindow)
                byWindow[tab.window].push_back({ { tab.visualIndex, id }, &tab });
        }
        std::vector<SessionWindow> windows;
        for (auto& [id, tabs] : byWindow) {
            std::sort(tabs.begin(), tabs.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
            SessionWindow window;
            for (const auto& entry : tabs) {
                const Tab& tab = *entry.second;
                SessionTab t;
                t.url = tab.Current()->url;
                t.title = tab.Current()->title;
                t.pinned = tab.pinned;
                t.inGroup = tab.inGroup;
                if (tab.inGroup) {
                    auto title = m_groupTitles.find(tab.group);
                    if (title != m_groupTitles.end())
                        t.group = title->second;
                }
                window.tabs.push_back(std::move(t));
            }
            windows.push_back(std::move(window));
        }
        return windows;
    }

    std::set<std::string> OpenUrls() const
    {
        std::set<std::string> urls;
        for (const auto& [id, tab] : m_tabs)
            if (!m_closedWindows.count(tab.window) && tab.Current() && !tab.Current()->url.empty())
                urls.insert(tab.Current()->url);
        return urls;
    }

private:
    Tab& TabOf(int32_t id, Tab& none)
    {
        auto tab = m_tabs.find(id);
        if (tab != m_tabs.end())
            return tab->second;
        if (m_tabs.size() >= kMostIds)
            return none = Tab();
        return m_tabs[id];
    }

    std::map<int32_t, Tab> m_tabs;
    std::map<int32_t, Window> m_windows;
    std::set<int32_t> m_closedWindows;
    std::map<GroupToken, std::string> m_groupTitles;
    bool m_marker = false;
};

// Replays the file's commands; kReadable, kEncrypted or kNotSession.
ChromiumSession::File ReplayFile(const std::string& file, Replay* replay, const ChromiumSession::Decrypt& decrypt)
{
    const int32_t version = ChromiumSession::Version(file);
    if (version == 2 || version == 4 || (version == 5 && !decrypt))
        return ChromiumSession::File::kEncrypted;
    if (version != 1 && version != 3 && version != 5)
        return ChromiumSession::File::kNotSession;
    Reader reader(file.data() + 8, file.size() - 8);
    std::string plain;
    // A file that takes longer than a JSON file may is given up.
    JsonText::Deadline deadline;
    while (reader.Left() > 0) {
        if (!deadline.Step())
            return ChromiumSession::File::kNotSession;
        if (version == 5) {
            uint32_t size = 0;
            if (!reader.Read(&size) || size == 0 || size > reader.Left())
                break;  // cut short: the commands before it count
            const std::string_view record(reader.Data(), size);
            reader.Skip(size);
            plain.clear();
            if (!decrypt(record, &plain))
                return ChromiumSession::File::kEncrypted;
            if (!plain.empty())
                replay->Command(static_cast<uint8_t>(plain[0]), plain.data() + 1, plain.size() - 1);
            continue;
        }
        uint16_t size = 0;
        uint8_t id = 0;
        if (!reader.Read(&size) || size == 0 || size > reader.Left() || !reader.Read(&id))
            break;
        replay->Command(id, reader.Data(), size - 1u);
        reader.Skip(size - 1u);
    }
    return ChromiumSession::File::kReadable;
}
}

int32_t ChromiumSession::Version(const std::string& file)
{
    int32_t version = 0;
    if (file.size() < 8 || std::memcmp(file.data(), "SNSS", 4) != 0)
        return 0;
    std::memcpy(&version, file.data() + 4, 4);
    return version;
}

bool ChromiumSession::NameTime(std::string_view name, int64_t* time)
{
    const std::string_view prefix = "Session_";
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 19 || name.substr(0, prefix.size()) != prefix)
        return false;
    int64_t t = 0;
    for (char c : name.substr(prefix.size())) {
        if (c < '0' || c > '9' || t > (INT64_MAX - (c - '0')) / 10)
            return false;
        t = t * 10 + (c - '0');
    }
    *time = t;
    return true;
}

ChromiumSession::File ChromiumSession::Windows(const std::string& file, std::vector<SessionWindow>* windows,
                                               const Decrypt& decrypt)
{
    windows->clear();
    Replay replay;
    File read = ReplayFile(file, &replay, decrypt);
    if (read != File::kReadable)
        return read;
    // Version 1 came before the marker; later ones hold it once the full state is written.
    if (Version(file) != 1 && !replay.Marker())
        return File::kNoMarker;
    *windows = replay.NormalWindows();
    return File::kReadable;
}

bool ChromiumSession::OpenUrls(const std::string& file, std::set<std::string>* urls, const Decrypt& decrypt)
{
    Replay replay;
    if (ReplayFile(file, &replay, decrypt) != File::kReadable)
        return false;
    const std::set<std::string> open = replay.OpenUrls();
    urls->insert(open.begin(), open.end());
    return true;
}

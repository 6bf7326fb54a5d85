#include "FirefoxSession.h"
#include <lz4.h>
#include "JsonText.h"
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>

namespace {
const char kMagic[] = "mozLz40";  // with its zero byte: 8 bytes
constexpr size_t kHeader = 8 + 4;
using Json = nlohmann::json;

// The session's JSON text; false when the file holds none that may be decoded.
bool Decompressed(const std::string& file, std::string* json)
{
    if (file.size() <= kHeader || std::memcmp(file.data(), kMagic, 8) != 0)
        return false;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(file.data()) + 8;
    const size_t declared = static_cast<size_t>(p[0]) | static_cast<size_t>(p[1]) << 8 | static_cast<size_t>(p[2]) << 16 |
                            static_cast<size_t>(p[3]) << 24;
    const size_t block = file.size() - kHeader;
    if (!FirefoxSession::SizeFits(declared, block))
        return false;
    json->assign(declared, '\0');
    const int got = LZ4_decompress_safe(file.data() + kHeader, &(*json)[0], static_cast<int>(block), static_cast<int>(declared));
    return got == static_cast<int>(declared);
}

// The session read as the parser meets it, without a tree: only windows[].tabs[] (each tab's
// entries' url and title, index, pinned, groupId), windows[].isPopup and windows[].groups[]
// are kept; everything else is passed over as it goes by. Nesting deeper than JsonText's bound
// and a parse past its deadline stop the reading.
class SessionBuilder : public nlohmann::json_sax<Json> {
public:
    explicit SessionBuilder(std::vector<SessionWindow>* windows) : m_windows(windows) {}
    bool Complete() const { return m_sawWindows; }

    bool null() override { return Tick(); }
    bool boolean(bool v) override
    {
        if (Top() == kTab && m_key == "pinned")
            m_tab.pinned = v;
        else if (Top() == kWindow && m_key == "isPopup")
            m_window.popup = v;
        return Tick();
    }
    bool number_integer(number_integer_t v) override { return Number(v); }
    bool number_unsigned(number_unsigned_t v) override
    {
        return Number(v > static_cast<number_unsigned_t>(INT64_MAX) ? INT64_MAX : static_cast<int64_t>(v));
    }
    bool number_float(number_float_t, const string_t&) override
    {
        if (Top() == kTab && m_key == "index")
            m_tab.index = 0;  // not a whole number: as none
        return Tick();
    }
    bool string(string_t& v) override
    {
        switch (Top()) {
        case kEntry:
            if (m_key == "url")
                m_entry.first = std::move(v);
            else if (m_key == "title")
                m_entry.second = std::move(v);
            break;
        case kTab:
            if (m_key == "groupId") {
                m_tab.inGroup = true;
                m_tab.groupId = std::move(v);
            }
            break;
        case kGroup:
            if (m_key == "id")
                m_group.first = std::move(v);
            else if (m_key == "name")
                m_group.second = std::move(v);
            break;
        default:
            break;
        }
        return Tick();
    }
    bool binary(binary_t&) override { return Tick(); }
    bool key(string_t& v) override
    {
        m_key = std::move(v);
        return Tick();
    }
    bool start_object(std::size_t) override
    {
        Kind kind = kSkip;
        switch (Top()) {
        case kNone: kind = kRoot; break;
        case kWindows: kind = kWindow; break;
        case kTabs: kind = kTab; break;
        case kEntries: kind = kEntry; break;
        case kGroups: kind = kGroup; break;
        default: break;
        }
        if (kind == kWindow)
            m_window = {};
        else if (kind == kTab)
            m_tab = {};
        else if (kind == kEntry)
            m_entry = {};
        else if (kind == kGroup)
            m_group = {};
        return Push(kind);
    }
    bool end_object() override
    {
        const Kind kind = Top();
        m_stack.pop_back();
        if (kind == kEntry && Top() == kEntries)
            m_tab.entries.push_back(std::move(m_entry));
        else if (kind == kGroup && Top() == kGroups)
            m_window.groupNames[m_group.first] = std::move(m_group.second);
        else if (kind == kTab && Top() == kTabs)
            EndTab();
        else if (kind == kWindow && Top() == kWindows)
            EndWindow();
        return true;
    }
    bool start_array(std::size_t) override
    {
        Kind kind = kSkip;
        if (Top() == kRoot && m_key == "windows")
            kind = kWindows, m_sawWindows = true;
        else if (Top() == kWindow && m_key == "tabs")
            kind = kTabs;
        else if (Top() == kWindow && m_key == "groups")
            kind = kGroups;
        else if (Top() == kTab && m_key == "entries")
            kind = kEntries;
        return Push(kind);
    }
    bool end_array() override
    {
        m_stack.pop_back();
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override { return false; }

private:
    enum Kind { kNone, kRoot, kWindows, kWindow, kTabs, kTab, kEntries, kEntry, kGroups, kGroup, kSkip };
    struct Tab {
        std::vector<std::pair<std::string, std::string>> entries;  // url, title
        int64_t index = 0;
        bool pinned = false;
        bool inGroup = false;
        std::string groupId;
    };
    struct Window {
        std::vector<Tab> tabs;
        std::map<std::string, std::string> groupNames;
        bool popup = false;
    };

    Kind Top() const { return m_stack.empty() ? kNone : m_stack.back(); }
    bool Push(Kind kind)
    {
        m_stack.push_back(kind);
        return m_stack.size() <= JsonText::kDeepest && Tick();
    }
    bool Number(int64_t v)
    {
        if (Top() == kTab && m_key == "index")
            m_tab.index = v;
        return Tick();
    }
    bool Tick() { return m_deadline.Step(); }

    // Only the tab's page is kept: the entry its index names (1-based, kept within the
    // entries; none or 0: the last).
    void EndTab()
    {
        if (m_tab.entries.empty())
            return;
        const int64_t n = static_cast<int64_t>(m_tab.entries.size());
        const int64_t i = m_tab.index != 0 ? std::min(std::max<int64_t>(m_tab.index, 1), n) : n;
        Tab tab;
        tab.entries.push_back(std::move(m_tab.entries[static_cast<size_t>(i - 1)]));
        tab.pinned = m_tab.pinned;
        tab.inGroup = m_tab.inGroup;
        tab.groupId = std::move(m_tab.groupId);
        m_window.tabs.push_back(std::move(tab));
    }
    void EndWindow()
    {
        if (m_window.popup || m_window.tabs.empty())
            return;
        SessionWindow w;
        for (Tab& tab : m_window.tabs) {
            SessionTab t;
            t.url = std::move(tab.entries.front().first);
            t.title = std::move(tab.entries.front().second);
            t.pinned = tab.pinned;
            t.inGroup = tab.inGroup;
            if (tab.inGroup) {
                auto name = m_window.groupNames.find(tab.groupId);
                if (name != m_window.groupNames.end())
                    t.group = name->second;
            }
            w.tabs.push_back(std::move(t));
        }
        m_windows->push_back(std::move(w));
    }

    std::vector<SessionWindow>* m_windows;
    JsonText::Deadline m_deadline;
    std::vector<Kind> m_stack;
    std::string m_key;  // the last key met (of the innermost object)
    Window m_window;
    Tab m_tab;
    std::pair<std::string, std::string> m_entry;
    std::pair<std::string, std::string> m_group;
    bool m_sawWindows = false;
};
}

bool FirefoxSession::SizeFits(size_t declared, size_t block)
{
    return declared > 0 && declared <= kLargestSession && declared / kMostExpansion <= block && block <= INT32_MAX;
}

bool FirefoxSession::Windows(const std::string& file, std::vector<SessionWindow>* out)
{
    out->clear();
    std::string json;
    if (!Decompressed(file, &json))
        return false;
    SessionBuilder builder(out);
    // Through the handlers' base, as JsonText parses: one parser in the program.
    if (!Json::sax_parse(json.data(), json.data() + json.size(), static_cast<nlohmann::json_sax<Json>*>(&builder),
                         Json::input_format_t::json, true) ||
        !builder.Complete()) {
        out->clear();
        return false;
    }
    return true;
}

bool FirefoxSession::OpenUrls(const std::string& file, std::set<std::string>* urls)
{
    std::vector<SessionWindow> windows;
    if (!Windows(file, &windows))
        return false;
    for (const SessionWindow& window : windows)
        for (const SessionTab& tab : window.tabs)
            if (!tab.url.empty())
                urls->insert(tab.url);
    return true;
}

std::vector<std::wstring> FirefoxSession::FilesInOrder(std::vector<std::wstring> upgradeNames, bool running)
{
    const std::wstring backups = L"sessionstore-backups\\";
    std::vector<std::wstring> files = { L"sessionstore.jsonlz4", backups + L"recovery.jsonlz4",
                                        backups + L"recovery.baklz4", backups + L"previous.jsonlz4" };
    if (running)
        std::rotate(files.begin(), files.begin() + 1, files.begin() + 2);
    // The build id after the dash (a date and a time) orders them.
    std::sort(upgradeNames.begin(), upgradeNames.end(), [](const std::wstring& a, const std::wstring& b) {
        return a.size() != b.size() ? a.size() > b.size() : a > b;
    });
    if (!upgradeNames.empty())
        files.push_back(backups + upgradeNames.front());
    return files;
}

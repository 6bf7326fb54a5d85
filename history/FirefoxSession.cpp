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

// The session's JSON, or a discarded value.
Json Document(const std::string& file)
{
    if (file.size() <= kHeader || std::memcmp(file.data(), kMagic, 8) != 0)
        return Json(Json::value_t::discarded);
    const unsigned char* p = reinterpret_cast<const unsigned char*>(file.data()) + 8;
    const size_t declared = static_cast<size_t>(p[0]) | static_cast<size_t>(p[1]) << 8 | static_cast<size_t>(p[2]) << 16 |
                            static_cast<size_t>(p[3]) << 24;
    const size_t block = file.size() - kHeader;
    if (!FirefoxSession::SizeFits(declared, block))
        return Json(Json::value_t::discarded);
    std::string json(declared, '\0');
    int got = LZ4_decompress_safe(file.data() + kHeader, &json[0], static_cast<int>(block), static_cast<int>(declared));
    if (got != static_cast<int>(declared))
        return Json(Json::value_t::discarded);
    Json session = JsonText::Parse(json.data(), json.size());
    if (session.is_discarded() || !session.is_object())
        return Json(Json::value_t::discarded);
    return session;
}

const Json* Member(const Json& object, const char* name)
{
    if (!object.is_object())
        return nullptr;
    auto it = object.find(name);
    return it == object.end() ? nullptr : &*it;
}

std::string StringOf(const Json* value) { return value && value->is_string() ? value->get<std::string>() : std::string(); }

// The tab's current entry as the browser restores it: index 1-based, kept within the entries;
// none, zero or not a whole number: the last.
const Json* CurrentEntry(const Json& tab)
{
    const Json* entries = Member(tab, "entries");
    if (!entries || !entries->is_array() || entries->empty())
        return nullptr;
    const int64_t n = static_cast<int64_t>(entries->size());
    const Json* index = Member(tab, "index");
    int64_t i = n;
    if (index && index->is_number_integer() && index->get<int64_t>() != 0)
        i = std::min(std::max<int64_t>(index->get<int64_t>(), 1), n);
    const Json& entry = (*entries)[static_cast<size_t>(i - 1)];
    return entry.is_object() ? &entry : nullptr;
}
}

bool FirefoxSession::SizeFits(size_t declared, size_t block)
{
    return declared > 0 && declared <= kLargestSession && declared / kMostExpansion <= block && block <= INT32_MAX;
}

bool FirefoxSession::Windows(const std::string& file, std::vector<SessionWindow>* out)
{
    out->clear();
    const Json session = Document(file);
    const Json* windows = Member(session, "windows");
    if (!windows || !windows->is_array())
        return false;
    for (const Json& window : *windows) {
        const Json* tabs = Member(window, "tabs");
        const Json* popup = Member(window, "isPopup");
        if (!tabs || !tabs->is_array() || (popup && popup->is_boolean() && popup->get<bool>()))
            continue;
        std::map<std::string, std::string> groupNames;
        if (const Json* groups = Member(window, "groups"); groups && groups->is_array())
            for (const Json& group : *groups)
                if (const Json* id = Member(group, "id"); id && id->is_string())
                    groupNames[id->get<std::string>()] = StringOf(Member(group, "name"));
        SessionWindow w;
        for (const Json& tab : *tabs) {
            const Json* entry = CurrentEntry(tab);
            if (!entry)
                continue;
            SessionTab t;
            t.url = StringOf(Member(*entry, "url"));
            t.title = StringOf(Member(*entry, "title"));
            const Json* pinned = Member(tab, "pinned");
            t.pinned = pinned && pinned->is_boolean() && pinned->get<bool>();
            if (const Json* groupId = Member(tab, "groupId"); groupId && groupId->is_string()) {
                t.inGroup = true;
                auto name = groupNames.find(groupId->get<std::string>());
                if (name != groupNames.end())
                    t.group = name->second;
            }
            w.tabs.push_back(std::move(t));
        }
        if (!w.tabs.empty())
            out->push_back(std::move(w));
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

#include "ChromiumLocalState.h"
#include "../text/TitleText.h"
#include "JsonText.h"

std::map<std::string, std::string> ChromiumLocalState::ProfileNames(const std::string& json)
{
    std::map<std::string, std::string> names;
    if (json.size() > kLargestFile)
        return names;
    nlohmann::json state = JsonText::Parse(json.data(), json.size());
    if (state.is_discarded() || !state.is_object())
        return names;
    auto profile = state.find("profile");
    if (profile == state.end() || !profile->is_object())
        return names;
    auto cache = profile->find("info_cache");
    if (cache == profile->end() || !cache->is_object())
        return names;
    for (auto entry = cache->begin(); entry != cache->end() && names.size() < kMostProfiles; ++entry) {
        if (!entry->is_object())
            continue;
        auto name = entry->find("name");
        if (name != entry->end() && name->is_string()) {
            const std::string& text = name->get_ref<const std::string&>();
            names[entry.key()] = TitleText::Prefix(text, kLongestName);
        }
    }
    return names;
}

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

std::string ChromiumLocalState::EncryptedKey(const std::string& json)
{
    if (json.size() > kLargestFile)
        return std::string();
    const nlohmann::json state = JsonText::Parse(json.data(), json.size());
    if (!state.is_object())
        return std::string();
    const auto crypt = state.find("os_crypt");
    if (crypt == state.end() || !crypt->is_object())
        return std::string();
    const auto key = crypt->find("encrypted_key");
    if (key == crypt->end() || !key->is_string() || key->get_ref<const std::string&>().size() > 4096)
        return std::string();
    return key->get<std::string>();
}

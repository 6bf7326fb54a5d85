#include "BrowserRestorePrefs.h"
#include "JsonText.h"

bool BrowserRestorePrefs::ChromiumRestores(const std::string& json)
{
    if (json.size() > kLargestFile)
        return false;
    const nlohmann::json prefs = JsonText::Parse(json.data(), json.size());
    if (!prefs.is_object())
        return false;
    const auto session = prefs.find("session");
    if (session == prefs.end() || !session->is_object())
        return false;
    const auto restore = session->find("restore_on_startup");
    if (restore == session->end() || !restore->is_number_integer() || restore->get<int64_t>() != 1)
        return false;
    const auto profile = prefs.find("profile");
    if (profile == prefs.end() || !profile->is_object())
        return true;
    const auto exit = profile->find("exit_type");
    return exit == profile->end() || !exit->is_string() || exit->get<std::string>() != "Crashed";
}

bool BrowserRestorePrefs::FirefoxPref(const std::string& text, const std::string& name, std::string* value)
{
    if (text.size() > kLargestFile)
        return false;
    const std::string key = "user_pref(\"" + name + "\",";
    bool found = false;
    for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + key.size())) {
        if (at > 0 && text[at - 1] != '\n' && text[at - 1] != '\r' && text[at - 1] != ' ' && text[at - 1] != '\t')
            continue;  // part of another line's text
        size_t begin = at + key.size();
        size_t end = text.find(");", begin);
        if (end == std::string::npos || end - begin > 256 || text.find('\n', begin) < end)
            continue;
        std::string v = text.substr(begin, end - begin);
        const size_t first = v.find_first_not_of(" \t");
        const size_t last = v.find_last_not_of(" \t");
        *value = first == std::string::npos ? std::string() : v.substr(first, last - first + 1);
        found = true;
    }
    return found;
}

bool BrowserRestorePrefs::FirefoxRestores(const std::string& prefsJs, const std::string& userJs, bool crashed)
{
    // user.js is read after prefs.js: its value holds.
    const auto pref = [&](const std::string& name, std::string* value) {
        return FirefoxPref(userJs, name, value) || FirefoxPref(prefsJs, name, value);
    };
    std::string value;
    if (pref("browser.startup.page", &value) && value == "3")
        return true;
    if (pref("browser.sessionstore.resume_session_once", &value) && value == "true")
        return true;
    return crashed && !(pref("browser.sessionstore.resume_from_crash", &value) && value == "false");
}

// The settings file's keys, defaults and value formats, and where the file lies.
#pragma once
#include <string>

enum SettingId {
    SETTING_OPEN_NUMBER,
    SETTING_TARGET_HTTP,
    SETTING_DISABLE_ALREADY_OPEN,
    SETTING_CLOSE_AFTER_EXECUTE,
    SETTING_QUERY_CANCEL_EXIT,
    SETTING_QUERY_CANCEL_EXIT_SAVING,
    SETTING_ONLY_MY_HISTORY,
    SETTING_COUNT
};

struct SettingKey {
    const wchar_t* name;
    unsigned defaultValue;
    bool decimal;   // written with "%d"; otherwise as a flag, "1" or "0"
};

class SettingsRules {
public:
    static const wchar_t* const kSection;
    // In the order in which the keys are read and written.
    static const SettingKey& Key(SettingId id);
    static std::wstring Format(SettingId id, int value);
    // The executable's (or any sibling's) path with everything from its last "." replaced
    // by ".INI"; a name without extension just gets ".INI".
    static std::wstring SettingsPath(const std::wstring& modulePath);
};

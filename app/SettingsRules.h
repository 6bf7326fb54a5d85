// How a setting's value is written to and read from the settings file, and where the file lies.
#pragma once
#include <string>

enum class SettingFormat {
    Count,    // "%d"; a stored value outside the count's range is read clamped into it
    Decimal,  // "%d"
    Flag,     // "1" when non-zero, else "0"
    ListCount,  // "%d"; read clamped into the list's range (kListMin to kListMax)
};

class SettingsRules {
public:
    // How many pages the list of recent pages holds.
    static constexpr int kListMin = 16;
    static constexpr int kListMax = 1000;
    static std::wstring Format(SettingFormat format, int value);
    // The member's value for what the profile read (GetPrivateProfileInt's unsigned result).
    static int Read(SettingFormat format, unsigned stored);
    // The executable's (or any sibling's) path with everything from its last "." replaced
    // by ".INI"; a name without extension just gets ".INI".
    static std::wstring SettingsPath(const std::wstring& modulePath);
};

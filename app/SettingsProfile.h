// Where the settings are kept, in the form of the platform's private-profile calls.
#pragma once

class SettingsProfile {
public:
    virtual ~SettingsProfile() = default;
    // GetPrivateProfileInt: the stored number, or defaultValue when the key or file is missing.
    virtual unsigned ReadInt(const wchar_t* section, const wchar_t* key, int defaultValue) const = 0;
    // WritePrivateProfileString: false when the value could not be written.
    virtual bool WriteString(const wchar_t* section, const wchar_t* key, const wchar_t* text) const = 0;
    // Whether the file has the section (with or without keys).
    virtual bool HasSection(const wchar_t* section) const = 0;
    // Whether the file has the key in the section.
    virtual bool HasKey(const wchar_t* section, const wchar_t* key) const = 0;
    // Whether the key's value is a number at all ("abc" reads as 0, which is not what it says).
    virtual bool IsNumber(const wchar_t* section, const wchar_t* key) const = 0;
};

#include "SettingsRules.h"
#include "CountRange.h"

std::wstring SettingsRules::Format(SettingFormat format, int value)
{
    if (format == SettingFormat::Flag)
        return value ? L"1" : L"0";
    return std::to_wstring(value);
}

int SettingsRules::Read(SettingFormat format, unsigned stored)
{
    int value = static_cast<int>(stored);
    // A count the field cannot show in range ("-1" reads as 4294967295) starts clamped,
    // by the same rule the field applies while typing.
    if (format == SettingFormat::Count)
        CountRange::Clamp(value, &value);
    if (format == SettingFormat::ListCount)
        value = value < kListMin ? kListMin : value > kListMax ? kListMax : value;
    return value;
}

std::wstring SettingsRules::SettingsPath(const std::wstring& modulePath)
{
    size_t slash = modulePath.find_last_of(L"\\/");
    size_t dot = modulePath.find_last_of(L'.');
    // A dot in a folder name is not the file's extension.
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash))
        return modulePath + L".INI";
    return modulePath.substr(0, dot) + L".INI";
}

#include "SettingsRules.h"

const wchar_t* const SettingsRules::kSection = L"OPTION";

namespace {
const SettingKey kKeys[SETTING_COUNT] = {
    { L"OpenNumber", 3, true },
    { L"TargetHttp", 1, false },
    { L"DisableAlreadyOpen", 1, true },
    { L"CloseAfterExecute", 0, false },
    { L"QueryCancelExit", 1, false },
    { L"QueryCancelExitSaving", 1, false },
    { L"OnlyMyHistory", 1, false },
};
}

const SettingKey& SettingsRules::Key(SettingId id) { return kKeys[id]; }

std::wstring SettingsRules::Format(SettingId id, int value)
{
    if (Key(id).decimal)
        return std::to_wstring(value);
    return value ? L"1" : L"0";
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

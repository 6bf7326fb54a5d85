// The settings file's keys in one table: section, key, default, how the value is written,
// and the member of the main dialog it fills. The dialog's starting values, Load and Save
// all walk it in order; adding a setting is one row here plus its member.
#pragma once
#include "SettingsProfile.h"
#include "SettingsRules.h"
#include <cwchar>
#include <map>
#include <string>

// A member of the owner that holds a setting: an int flag or the unsigned count.
template <class Owner>
class SettingMember {
public:
    constexpr SettingMember(int Owner::*member) : m_int(member) {}
    constexpr SettingMember(unsigned Owner::*member) : m_unsigned(member) {}

    int Get(const Owner& owner) const
    {
        return m_int ? owner.*m_int : static_cast<int>(owner.*m_unsigned);
    }
    void Set(Owner& owner, int value) const
    {
        if (m_int)
            owner.*m_int = value;
        else
            owner.*m_unsigned = static_cast<unsigned>(value);
    }

private:
    int Owner::*m_int = nullptr;
    unsigned Owner::*m_unsigned = nullptr;
};

// When a row is written on an IDOK end: always, or (for settings added after the first
// version) only when a value of its section differs from its default or the section is there
// already, or only when its own value differs from its default or the key is there already,
// so that a file written without them stays as it was.
enum class SettingWrite { Always, WhenSectionNeeded, WhenChanged };

template <class Owner>
struct SettingRow {
    const wchar_t* section;
    const wchar_t* key;
    int defaultValue;
    SettingFormat format;
    SettingMember<Owner> member;
    SettingWrite write = SettingWrite::Always;
};

// Owner is the main dialog; the tests use a plain structure with the same members.
template <class Owner>
class SettingsTable {
public:
    static constexpr SettingRow<Owner> kRows[] = {
        { L"OPTION", L"OpenNumber", 3, SettingFormat::Count, &Owner::m_nOpenNumber },
        { L"OPTION", L"TargetHttp", 1, SettingFormat::Flag, &Owner::m_bTargetHttp },
        { L"OPTION", L"DisableAlreadyOpen", 1, SettingFormat::Decimal, &Owner::m_bDisableAlreadyOpen },
        { L"OPTION", L"CloseAfterExecute", 0, SettingFormat::Flag, &Owner::m_bCloseAfterExecute },
        { L"OPTION", L"QueryCancelExit", 1, SettingFormat::Flag, &Owner::m_bQueryCancelExit },
        { L"OPTION", L"QueryCancelExitSaving", 1, SettingFormat::Flag, &Owner::m_bQueryCancelExitSaving },
        { L"OPTION", L"OnlyMyHistory", 1, SettingFormat::Flag, &Owner::m_bOnlyMyHistory },
        { L"BROWSERS", L"InternetExplorer", 1, SettingFormat::Flag, &Owner::m_bUseInternetExplorer, SettingWrite::WhenSectionNeeded },
        { L"BROWSERS", L"Edge", 1, SettingFormat::Flag, &Owner::m_bUseEdge, SettingWrite::WhenSectionNeeded },
        { L"BROWSERS", L"Chrome", 1, SettingFormat::Flag, &Owner::m_bUseChrome, SettingWrite::WhenSectionNeeded },
        { L"BROWSERS", L"Firefox", 1, SettingFormat::Flag, &Owner::m_bUseFirefox, SettingWrite::WhenSectionNeeded },
        { L"BROWSERS", L"Chromium", 1, SettingFormat::Flag, &Owner::m_bUseChromium, SettingWrite::WhenSectionNeeded },
        { L"BROWSERS", L"Brave", 1, SettingFormat::Flag, &Owner::m_bUseBrave, SettingWrite::WhenSectionNeeded },
        { L"BROWSERS", L"Vivaldi", 1, SettingFormat::Flag, &Owner::m_bUseVivaldi, SettingWrite::WhenSectionNeeded },
        { L"BROWSERS", L"Opera", 1, SettingFormat::Flag, &Owner::m_bUseOpera, SettingWrite::WhenSectionNeeded },
        { L"BROWSERS", L"OperaGX", 1, SettingFormat::Flag, &Owner::m_bUseOperaGX, SettingWrite::WhenSectionNeeded },
        { L"BROWSERS", L"Yandex", 1, SettingFormat::Flag, &Owner::m_bUseYandex, SettingWrite::WhenSectionNeeded },
        { L"BROWSERS", L"Waterfox", 1, SettingFormat::Flag, &Owner::m_bUseWaterfox, SettingWrite::WhenSectionNeeded },
        { L"BROWSERS", L"LibreWolf", 1, SettingFormat::Flag, &Owner::m_bUseLibreWolf, SettingWrite::WhenSectionNeeded },
        { L"BROWSERS", L"Floorp", 1, SettingFormat::Flag, &Owner::m_bUseFloorp, SettingWrite::WhenSectionNeeded },
        { L"BROWSERS", L"Zen", 1, SettingFormat::Flag, &Owner::m_bUseZen, SettingWrite::WhenSectionNeeded },
        // The list of recent pages: how many, and where and how large the user left it (a
        // width or height of 0: as the dialog is made; a column width of 0: its own).
        { L"LIST", L"ListNumber", 100, SettingFormat::ListCount, &Owner::m_nListNumber, SettingWrite::WhenChanged },
        { L"LIST", L"Left", 0, SettingFormat::Decimal, &Owner::m_nListLeft, SettingWrite::WhenChanged },
        { L"LIST", L"Top", 0, SettingFormat::Decimal, &Owner::m_nListTop, SettingWrite::WhenChanged },
        { L"LIST", L"Width", 0, SettingFormat::Decimal, &Owner::m_nListWidth, SettingWrite::WhenChanged },
        { L"LIST", L"Height", 0, SettingFormat::Decimal, &Owner::m_nListHeight, SettingWrite::WhenChanged },
        { L"LIST", L"TitleWidth", 0, SettingFormat::Decimal, &Owner::m_nListTitleWidth, SettingWrite::WhenChanged },
        { L"LIST", L"AddressWidth", 0, SettingFormat::Decimal, &Owner::m_nListAddressWidth, SettingWrite::WhenChanged },
        { L"LIST", L"SourceWidth", 0, SettingFormat::Decimal, &Owner::m_nListSourceWidth, SettingWrite::WhenChanged },
        { L"LIST", L"TimeWidth", 0, SettingFormat::Decimal, &Owner::m_nListTimeWidth, SettingWrite::WhenChanged },
        { L"LIST", L"OpenWidth", 0, SettingFormat::Decimal, &Owner::m_nListOpenWidth, SettingWrite::WhenChanged },
        // Each browser profile's pages as tabs of one new window (the sources dialog).
        { L"OPTION", L"TabsInOneWindow", 0, SettingFormat::Flag, &Owner::m_bTabsInOneWindow, SettingWrite::WhenChanged },
    };

    static void SetDefaults(Owner& owner)
    {
        for (const SettingRow<Owner>& row : kRows)
            row.member.Set(owner, row.defaultValue);
    }

    // Missing keys, or no file at all, give the defaults.
    static void Load(Owner& owner, const SettingsProfile& profile)
    {
        for (const SettingRow<Owner>& row : kRows) {
            unsigned stored = profile.ReadInt(row.section, row.key, row.defaultValue);
            row.member.Set(owner, SettingsRules::Read(row.format, stored));
        }
    }

    // Writes every key that is to be written, in order; false when any of them could not be.
    static bool Save(const Owner& owner, const SettingsProfile& profile)
    {
        bool ok = true;
        for (const SettingRow<Owner>& row : kRows) {
            if (row.write == SettingWrite::WhenSectionNeeded && !SectionNeeded(owner, profile, row.section))
                continue;
            if (row.write == SettingWrite::WhenChanged && !Changed(owner, row) && !profile.HasKey(row.section, row.key))
                continue;
            std::wstring text = SettingsRules::Format(row.format, row.member.Get(owner));
            if (!profile.WriteString(row.section, row.key, text.c_str()))
                ok = false;
        }
        return ok;
    }

    // The values of one section's keys (ASCII names), and back.
    static std::map<std::string, int> Section(const Owner& owner, const wchar_t* section)
    {
        std::map<std::string, int> values;
        for (const SettingRow<Owner>& row : kRows)
            if (std::wstring(row.section) == section)
                values[Narrow(row.key)] = row.member.Get(owner);
        return values;
    }
    static void SetSection(Owner& owner, const wchar_t* section, const std::map<std::string, int>& values)
    {
        for (const SettingRow<Owner>& row : kRows) {
            auto value = values.find(Narrow(row.key));
            if (std::wstring(row.section) == section && value != values.end())
                row.member.Set(owner, value->second);
        }
    }

private:
    static std::string Narrow(const wchar_t* key) { return std::string(key, key + std::wcslen(key)); }
    static bool Changed(const Owner& owner, const SettingRow<Owner>& row)
    {
        return SettingsRules::Format(row.format, row.member.Get(owner)) != SettingsRules::Format(row.format, row.defaultValue);
    }
    static bool SectionNeeded(const Owner& owner, const SettingsProfile& profile, const wchar_t* section)
    {
        if (profile.HasSection(section))
            return true;
        for (const SettingRow<Owner>& row : kRows) {
            if (std::wstring(row.section) == section && Changed(owner, row))
                return true;
        }
        return false;
    }
};

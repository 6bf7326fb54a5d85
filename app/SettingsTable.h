// The settings file's keys in one table: section, key, default, how the value is written,
// and the member of the main dialog it fills. The dialog's starting values, Load and Save
// all walk it in order; adding a setting is one row here plus its member, adding a browser is
// its row in the table of browsers.
#pragma once
#include "SettingsProfile.h"
#include "SettingsRules.h"
#include "../reopen/ReopenOptions.h"
#include <cwchar>
#include <map>
#include <string>
#include <vector>

// A member of the owner that holds a setting: an int flag, the unsigned count, or one source's
// flag in the owner's map of sources by key.
template <class Owner>
class SettingMember {
public:
    SettingMember(int Owner::*member) : m_int(member) {}
    SettingMember(unsigned Owner::*member) : m_unsigned(member) {}
    SettingMember(std::map<std::string, int> Owner::*map, std::string key) : m_map(map), m_key(std::move(key)) {}

    int Get(const Owner& owner) const
    {
        if (m_map) {
            auto value = (owner.*m_map).find(m_key);
            return value == (owner.*m_map).end() ? 0 : value->second;
        }
        return m_int ? owner.*m_int : static_cast<int>(owner.*m_unsigned);
    }
    void Set(Owner& owner, int value) const
    {
        if (m_map)
            (owner.*m_map)[m_key] = value;
        else if (m_int)
            owner.*m_int = value;
        else
            owner.*m_unsigned = static_cast<unsigned>(value);
    }

private:
    int Owner::*m_int = nullptr;
    unsigned Owner::*m_unsigned = nullptr;
    std::map<std::string, int> Owner::*m_map = nullptr;
    std::string m_key;
};

// When a row is written on an IDOK end: always, or (for settings added after the first
// version) only when a value of its section differs from its default or the section is there
// already, or only when its own value differs from its default or the key is there already,
// so that a file written without them stays as it was.
enum class SettingWrite { Always, WhenSectionNeeded, WhenChanged };

template <class Owner>
struct SettingRow {
    std::wstring section;
    std::wstring key;
    int defaultValue;
    SettingFormat format;
    SettingMember<Owner> member;
    SettingWrite write = SettingWrite::Always;
};

// Owner is the main dialog; the tests use a plain structure with the same members. The
// sources' keys ([BROWSERS]) are not members: they are the URL cache's and one for each row of
// the table of browsers (ReopenOptions::SourceKeys), in the owner's map m_sources.
template <class Owner>
class SettingsTable {
public:
    static const std::vector<SettingRow<Owner>>& Rows()
    {
        static const std::vector<SettingRow<Owner>> rows = MakeRows();
        return rows;
    }

    static void SetDefaults(Owner& owner)
    {
        for (const SettingRow<Owner>& row : Rows())
            row.member.Set(owner, row.defaultValue);
    }

    // Missing keys, or no file at all, give the defaults; so does a count that is no number.
    static void Load(Owner& owner, const SettingsProfile& profile)
    {
        for (const SettingRow<Owner>& row : Rows()) {
            unsigned stored = profile.ReadInt(row.section.c_str(), row.key.c_str(), row.defaultValue);
            if (row.format == SettingFormat::ListCount && !profile.IsNumber(row.section.c_str(), row.key.c_str()))
                stored = static_cast<unsigned>(row.defaultValue);
            row.member.Set(owner, SettingsRules::Read(row.format, stored));
        }
    }

    // Writes every key that is to be written, in order; false when any of them could not be.
    static bool Save(const Owner& owner, const SettingsProfile& profile)
    {
        bool ok = true;
        for (const SettingRow<Owner>& row : Rows()) {
            if (row.write == SettingWrite::WhenSectionNeeded && !SectionNeeded(owner, profile, row.section))
                continue;
            if (row.write == SettingWrite::WhenChanged && !Changed(owner, row) &&
                !profile.HasKey(row.section.c_str(), row.key.c_str()))
                continue;
            std::wstring text = SettingsRules::Format(row.format, row.member.Get(owner));
            if (!profile.WriteString(row.section.c_str(), row.key.c_str(), text.c_str()))
                ok = false;
        }
        return ok;
    }

    // The values of one section's keys (ASCII names), and back.
    static std::map<std::string, int> Section(const Owner& owner, const wchar_t* section)
    {
        std::map<std::string, int> values;
        for (const SettingRow<Owner>& row : Rows())
            if (row.section == section)
                values[Narrow(row.key)] = row.member.Get(owner);
        return values;
    }
    static void SetSection(Owner& owner, const wchar_t* section, const std::map<std::string, int>& values)
    {
        for (const SettingRow<Owner>& row : Rows()) {
            auto value = values.find(Narrow(row.key));
            if (row.section == section && value != values.end())
                row.member.Set(owner, value->second);
        }
    }

private:
    static std::vector<SettingRow<Owner>> MakeRows()
    {
        using F = SettingFormat;
        using W = SettingWrite;
        std::vector<SettingRow<Owner>> rows = {
            { L"OPTION", L"OpenNumber", 3, F::Count, &Owner::m_nOpenNumber },
            { L"OPTION", L"TargetHttp", 1, F::Flag, &Owner::m_bTargetHttp },
            { L"OPTION", L"DisableAlreadyOpen", 1, F::Decimal, &Owner::m_bDisableAlreadyOpen },
            { L"OPTION", L"CloseAfterExecute", 0, F::Flag, &Owner::m_bCloseAfterExecute },
            { L"OPTION", L"QueryCancelExit", 1, F::Flag, &Owner::m_bQueryCancelExit },
            { L"OPTION", L"QueryCancelExitSaving", 1, F::Flag, &Owner::m_bQueryCancelExitSaving },
            { L"OPTION", L"OnlyMyHistory", 1, F::Flag, &Owner::m_bOnlyMyHistory },
        };
        // Which histories are read: the URL cache, and each browser of the table.
        for (const std::string& key : ReopenOptions::SourceKeys())
            rows.push_back({ L"BROWSERS", std::wstring(key.begin(), key.end()), 1, F::Flag,
                             SettingMember<Owner>(&Owner::m_sources, key), W::WhenSectionNeeded });
        const std::vector<SettingRow<Owner>> more = {
            // The list of recent pages: how many, and where and how large the user left it (a
            // width or height of 0: as the dialog is made; a column width of 0: its own).
            { L"LIST", L"ListNumber", 100, F::ListCount, &Owner::m_nListNumber, W::WhenChanged },
            { L"LIST", L"Left", 0, F::Decimal, &Owner::m_nListLeft, W::WhenChanged },
            { L"LIST", L"Top", 0, F::Decimal, &Owner::m_nListTop, W::WhenChanged },
            { L"LIST", L"Width", 0, F::Decimal, &Owner::m_nListWidth, W::WhenChanged },
            { L"LIST", L"Height", 0, F::Decimal, &Owner::m_nListHeight, W::WhenChanged },
            { L"LIST", L"TitleWidth", 0, F::Decimal, &Owner::m_nListTitleWidth, W::WhenChanged },
            { L"LIST", L"AddressWidth", 0, F::Decimal, &Owner::m_nListAddressWidth, W::WhenChanged },
            { L"LIST", L"SourceWidth", 0, F::Decimal, &Owner::m_nListSourceWidth, W::WhenChanged },
            { L"LIST", L"TimeWidth", 0, F::Decimal, &Owner::m_nListTimeWidth, W::WhenChanged },
            { L"LIST", L"OpenWidth", 0, F::Decimal, &Owner::m_nListOpenWidth, W::WhenChanged },
            // Each browser profile's pages as tabs of one new window (the sources dialog).
            { L"OPTION", L"TabsInOneWindow", 0, F::Flag, &Owner::m_bTabsInOneWindow, W::WhenChanged },
        };
        rows.insert(rows.end(), more.begin(), more.end());
        return rows;
    }
    static std::string Narrow(const std::wstring& key) { return std::string(key.begin(), key.end()); }
    static bool Changed(const Owner& owner, const SettingRow<Owner>& row)
    {
        return SettingsRules::Format(row.format, row.member.Get(owner)) != SettingsRules::Format(row.format, row.defaultValue);
    }
    static bool SectionNeeded(const Owner& owner, const SettingsProfile& profile, const std::wstring& section)
    {
        if (profile.HasSection(section.c_str()))
            return true;
        for (const SettingRow<Owner>& row : Rows()) {
            if (row.section == section && Changed(owner, row))
                return true;
        }
        return false;
    }
};

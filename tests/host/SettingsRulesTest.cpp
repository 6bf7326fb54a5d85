// How settings values are written and read back, and where the settings file lies.
#include "app/SettingsRules.h"
#include <gtest/gtest.h>

TEST(SettingsRules, WrittenValues)
{
    const struct { SettingFormat format; int value; const wchar_t* text; } cases[] = {
        // flags: any non-zero is "1"
        { SettingFormat::Flag, 0, L"0" },
        { SettingFormat::Flag, 1, L"1" },
        { SettingFormat::Flag, 5, L"1" },
        { SettingFormat::Flag, -1, L"1" },
        // decimal with "%d"
        { SettingFormat::Count, 16, L"16" },
        { SettingFormat::Count, 3, L"3" },
        { SettingFormat::Count, -1, L"-1" },
        { SettingFormat::Decimal, 1, L"1" },
        { SettingFormat::Decimal, 0, L"0" },
        { SettingFormat::Decimal, 5, L"5" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, SettingsRules::Format(c.format, c.value)) << static_cast<int>(c.format) << " " << c.value;
}

TEST(SettingsRules, ValuesReadBack)
{
    const struct { SettingFormat format; unsigned stored; int value; } cases[] = {
        { SettingFormat::Count, 3, 3 },
        { SettingFormat::Count, 40, 16 },
        { SettingFormat::Count, 0, 1 },
        { SettingFormat::Count, 4294967295u, 1 },  // "-1" as the profile reads it
        { SettingFormat::Flag, 5, 5 },             // any non-zero counts as set
        { SettingFormat::Flag, 0, 0 },
        { SettingFormat::Decimal, 5, 5 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.value, SettingsRules::Read(c.format, c.stored)) << static_cast<int>(c.format) << " " << c.stored;
}

TEST(SettingsRules, PathBesideExecutable)
{
    const struct { const wchar_t* module; const wchar_t* ini; } cases[] = {
        { L"C:\\Tools\\Backtracker.exe", L"C:\\Tools\\Backtracker.INI" },
        { L"C:\\Tools\\bt.v2.exe", L"C:\\Tools\\bt.v2.INI" },
        { L"C:\\My.Tools\\Backtracker", L"C:\\My.Tools\\Backtracker.INI" },
        { L"C:\\ツール\\バック.exe", L"C:\\ツール\\バック.INI" },
        { L"Backtracker.exe", L"Backtracker.INI" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.ini, SettingsRules::SettingsPath(c.module));
}

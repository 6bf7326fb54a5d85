// The settings file's keys, defaults, written values and path.
#include "app/SettingsRules.h"
#include <gtest/gtest.h>

TEST(SettingsRules, KeysInFileOrderWithDefaults)
{
    const struct { const wchar_t* name; unsigned def; } expected[SETTING_COUNT] = {
        { L"OpenNumber", 3 },      { L"TargetHttp", 1 },      { L"DisableAlreadyOpen", 1 },
        { L"CloseAfterExecute", 0 }, { L"QueryCancelExit", 1 }, { L"QueryCancelExitSaving", 1 },
        { L"OnlyMyHistory", 1 },
    };
    for (int i = 0; i < SETTING_COUNT; ++i) {
        const SettingKey& key = SettingsRules::Key(static_cast<SettingId>(i));
        EXPECT_STREQ(expected[i].name, key.name) << i;
        EXPECT_EQ(expected[i].def, key.defaultValue) << i;
    }
    EXPECT_STREQ(L"OPTION", SettingsRules::kSection);
}

TEST(SettingsRules, WrittenValues)
{
    const struct { SettingId id; int value; const wchar_t* text; } cases[] = {
        // flags: any non-zero is "1"
        { SETTING_TARGET_HTTP, 0, L"0" },
        { SETTING_TARGET_HTTP, 1, L"1" },
        { SETTING_CLOSE_AFTER_EXECUTE, 5, L"1" },
        { SETTING_QUERY_CANCEL_EXIT, -1, L"1" },
        { SETTING_QUERY_CANCEL_EXIT_SAVING, 2, L"1" },
        { SETTING_ONLY_MY_HISTORY, 0, L"0" },
        // decimal with "%d"
        { SETTING_OPEN_NUMBER, 16, L"16" },
        { SETTING_OPEN_NUMBER, 3, L"3" },
        { SETTING_DISABLE_ALREADY_OPEN, 1, L"1" },
        { SETTING_DISABLE_ALREADY_OPEN, 0, L"0" },
        { SETTING_DISABLE_ALREADY_OPEN, 5, L"5" },
        { SETTING_OPEN_NUMBER, -1, L"-1" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, SettingsRules::Format(c.id, c.value)) << c.id << " " << c.value;
}

TEST(SettingsRules, PathBesideExecutable)
{
    const struct { const wchar_t* module; const wchar_t* ini; } cases[] = {
        { L"C:\\Tools\\Backtracker.HLP", L"C:\\Tools\\Backtracker.INI" },
        { L"C:\\Tools\\bt.v2.HLP", L"C:\\Tools\\bt.v2.INI" },
        { L"C:\\My.Tools\\Backtracker", L"C:\\My.Tools\\Backtracker.INI" },
        { L"C:\\ツール\\バック.exe", L"C:\\ツール\\バック.INI" },
        { L"Backtracker.exe", L"Backtracker.INI" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.ini, SettingsRules::SettingsPath(c.module));
}

// The settings table walked for the starting values, Load and Save, over a profile in memory
// and an owner with the main dialog's members.
#include "app/SettingsTable.h"
#include "history/Browsers.h"
#include <gtest/gtest.h>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

struct Options {
    int m_bQueryCancelExitSaving = -7;
    int m_bQueryCancelExit = -7;
    int m_bTargetHttp = -7;
    int m_bDisableAlreadyOpen = -7;
    int m_bCloseAfterExecute = -7;
    unsigned m_nOpenNumber = 77;
    int m_bOnlyMyHistory = -7;
    std::map<std::string, int> m_sources = { { "Edge", -7 } };
    unsigned m_nListNumber = 77;
    int m_nListLeft = -7;
    int m_nListTop = -7;
    int m_nListWidth = -7;
    int m_nListHeight = -7;
    int m_nListTitleWidth = -7;
    int m_nListAddressWidth = -7;
    int m_nListSourceWidth = -7;
    int m_nListTimeWidth = -7;
    int m_nListOpenWidth = -7;
    int m_bTabsInOneWindow = -7;
};
using Table = SettingsTable<Options>;

class MemoryProfile : public SettingsProfile {
public:
    unsigned ReadInt(const wchar_t* section, const wchar_t* key, int defaultValue) const override
    {
        auto it = stored.find(std::wstring(section) + L"/" + key);
        return it == stored.end() ? static_cast<unsigned>(defaultValue) : it->second;
    }
    bool WriteString(const wchar_t* section, const wchar_t* key, const wchar_t* text) const override
    {
        std::wstring name = std::wstring(section) + L"/" + key;
        written.push_back(name + L"=" + text);
        return !failing.count(name);
    }

    bool HasSection(const wchar_t* section) const override { return sections.count(section) != 0; }
    bool HasKey(const wchar_t* section, const wchar_t* key) const override
    {
        return stored.count(std::wstring(section) + L"/" + key) != 0;
    }
    bool IsNumber(const wchar_t* section, const wchar_t* key) const override
    {
        return !notNumbers.count(std::wstring(section) + L"/" + key);
    }

    std::map<std::wstring, unsigned> stored;
    std::set<std::wstring> sections;
    std::set<std::wstring> failing;
    std::set<std::wstring> notNumbers;  // keys whose text is no number ("abc" reads as 0)
    mutable std::vector<std::wstring> written;
};

}

TEST(SettingsTable, KeysInFileOrderWithDefaultsAndTheirMembers)
{
    const struct { const wchar_t* key; int def; } expected[] = {
        { L"OpenNumber", 3 },        { L"TargetHttp", 1 },      { L"DisableAlreadyOpen", 1 },
        { L"CloseAfterExecute", 0 }, { L"QueryCancelExit", 1 }, { L"QueryCancelExitSaving", 1 },
        { L"OnlyMyHistory", 1 },
    };
    const auto& rows = Table::Rows();
    ASSERT_EQ(std::size(expected) + 1 + Browsers::All().size() + 10 + 1, rows.size());
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(SettingWrite::Always, rows[i].write) << i;
        EXPECT_EQ(L"OPTION", rows[i].section) << i;
        EXPECT_EQ(expected[i].key, rows[i].key) << i;
        EXPECT_EQ(expected[i].def, rows[i].defaultValue) << i;
    }

    Options o;
    Table::SetDefaults(o);
    EXPECT_EQ(3u, o.m_nOpenNumber);
    EXPECT_EQ(1, o.m_bTargetHttp);
    EXPECT_EQ(1, o.m_bDisableAlreadyOpen);
    EXPECT_EQ(0, o.m_bCloseAfterExecute);
    EXPECT_EQ(1, o.m_bQueryCancelExit);
    EXPECT_EQ(1, o.m_bQueryCancelExitSaving);
    EXPECT_EQ(1, o.m_bOnlyMyHistory);
    for (const char* source : { "InternetExplorer", "Edge", "Chrome", "Firefox", "Zen" })
        EXPECT_EQ(1, o.m_sources[source]) << source;
    // The four first keys as they always were, then one for each further browser of the table.
    const wchar_t* const browsers[] = { L"InternetExplorer", L"Edge", L"Chrome", L"Firefox", L"Chromium", L"Brave",
                                        L"Vivaldi", L"Opera", L"OperaGX", L"Yandex", L"Waterfox", L"LibreWolf",
                                        L"Floorp", L"Zen", L"FirefoxStore" };
    for (size_t i = 0; i < std::size(browsers); ++i) {
        const auto& row = rows[std::size(expected) + i];
        EXPECT_EQ(L"BROWSERS", row.section);
        EXPECT_EQ(browsers[i], row.key);
        EXPECT_EQ(1, row.defaultValue);
        EXPECT_EQ(SettingWrite::WhenSectionNeeded, row.write);
    }
}

// Every key a value of its own, so that two keys or two members swapped show.
TEST(SettingsTable, LoadFillsEachMemberFromItsOwnKey)
{
    MemoryProfile profile;
    profile.stored = {
        { L"OPTION/OpenNumber", 40 },        { L"OPTION/TargetHttp", 11 },
        { L"OPTION/DisableAlreadyOpen", 12 }, { L"OPTION/CloseAfterExecute", 13 },
        { L"OPTION/QueryCancelExit", 14 },    { L"OPTION/QueryCancelExitSaving", 15 },
        { L"OPTION/OnlyMyHistory", 0 },
    };
    Options o;
    Table::Load(o, profile);
    EXPECT_EQ(16u, o.m_nOpenNumber);  // clamped
    EXPECT_EQ(11, o.m_bTargetHttp);
    EXPECT_EQ(12, o.m_bDisableAlreadyOpen);
    EXPECT_EQ(13, o.m_bCloseAfterExecute);
    EXPECT_EQ(14, o.m_bQueryCancelExit);
    EXPECT_EQ(15, o.m_bQueryCancelExitSaving);
    EXPECT_EQ(0, o.m_bOnlyMyHistory);

    // Each source from its own key.
    MemoryProfile sources;
    std::vector<std::string> keys;
    for (const SettingRow<Options>& row : Table::Rows())
        if (row.section == L"BROWSERS")
            keys.emplace_back(row.key.begin(), row.key.end());
    for (size_t i = 0; i < keys.size(); ++i)
        sources.stored[L"BROWSERS/" + std::wstring(keys[i].begin(), keys[i].end())] = static_cast<unsigned>(20 + i);
    Options s;
    Table::Load(s, sources);
    for (size_t i = 0; i < keys.size(); ++i)
        EXPECT_EQ(static_cast<int>(20 + i), s.m_sources[keys[i]]) << keys[i];

    // Nothing stored: the defaults, whatever the members held.
    Options fresh;
    Table::Load(fresh, MemoryProfile());
    Options defaults;
    Table::SetDefaults(defaults);
    EXPECT_EQ(Table::Section(defaults, L"OPTION"), Table::Section(fresh, L"OPTION"));
    EXPECT_EQ(Table::Section(defaults, L"LIST"), Table::Section(fresh, L"LIST"));
    EXPECT_EQ(defaults.m_sources, fresh.m_sources);
}

TEST(SettingsTable, SaveWritesEveryKeyInOrderAndReportsAFailedOne)
{
    Options o;
    Table::SetDefaults(o);
    o.m_nOpenNumber = 16;
    o.m_bTargetHttp = 5;
    o.m_bDisableAlreadyOpen = 0;
    o.m_bCloseAfterExecute = 2;
    o.m_bQueryCancelExit = 0;
    o.m_bQueryCancelExitSaving = 0;
    o.m_bOnlyMyHistory = 9;
    MemoryProfile profile;
    EXPECT_TRUE(Table::Save(o, profile));
    const std::vector<std::wstring> expected = {
        L"OPTION/OpenNumber=16",       L"OPTION/TargetHttp=1",      L"OPTION/DisableAlreadyOpen=0",
        L"OPTION/CloseAfterExecute=1", L"OPTION/QueryCancelExit=0", L"OPTION/QueryCancelExitSaving=0",
        L"OPTION/OnlyMyHistory=1",
    };
    EXPECT_EQ(expected, profile.written);

    // A key that cannot be written is reported, and the keys after it are still written.
    MemoryProfile failing;
    failing.failing = { L"OPTION/DisableAlreadyOpen" };
    EXPECT_FALSE(Table::Save(o, failing));
    EXPECT_EQ(expected, failing.written);
}

std::string ReadReadme(const char* name);

// The guide names every key with its default, as the table has it.
TEST(SettingsTable, ReadmeNamesEveryKeyWithItsDefault)
{
    const std::string readme = ReadReadme("readme.txt");
    for (const SettingRow<Options>& row : Table::Rows()) {
        const std::wstring& key = row.key;
        std::string line = std::string(key.begin(), key.end()) + "=" + std::to_string(row.defaultValue) + " ";
        EXPECT_NE(std::string::npos, readme.find(line)) << line;
        const std::wstring& section = row.section;
        EXPECT_NE(std::string::npos, readme.find("[" + std::string(section.begin(), section.end()) + "]"));
    }
}

// The browsers' section is written only when one of its values is not the default, or when the
// file has the section already: a file written without ever touching them keeps its bytes.
TEST(SettingsTable, BrowsersSectionOnlyWhenNeeded)
{
    const struct { const char* what; int ie, edge, chrome, firefox; bool sectionThere; bool written; } cases[] = {
        { "all defaults", 1, 1, 1, 1, false, false },
        { "Chrome off", 1, 1, 0, 1, false, true },
        { "the URL cache off", 0, 1, 1, 1, false, true },
        { "5 counts as set", 1, 5, 1, 1, false, false },
        { "defaults, section already there", 1, 1, 1, 1, true, true },
    };
    for (const auto& c : cases) {
        Options o;
        Table::SetDefaults(o);
        o.m_sources["InternetExplorer"] = c.ie;
        o.m_sources["Edge"] = c.edge;
        o.m_sources["Chrome"] = c.chrome;
        o.m_sources["Firefox"] = c.firefox;
        MemoryProfile profile;
        if (c.sectionThere)
            profile.sections.insert(L"BROWSERS");
        EXPECT_TRUE(Table::Save(o, profile));
        std::vector<std::wstring> browsers;
        for (const std::wstring& line : profile.written)
            if (line.compare(0, 9, L"BROWSERS/") == 0)
                browsers.push_back(line);
        std::vector<std::wstring> expected;
        if (c.written) {
            expected = { L"BROWSERS/InternetExplorer=" + std::to_wstring(c.ie ? 1 : 0),
                         L"BROWSERS/Edge=" + std::to_wstring(c.edge ? 1 : 0),
                         L"BROWSERS/Chrome=" + std::to_wstring(c.chrome ? 1 : 0),
                         L"BROWSERS/Firefox=" + std::to_wstring(c.firefox ? 1 : 0) };
            for (const wchar_t* key : { L"Chromium", L"Brave", L"Vivaldi", L"Opera", L"OperaGX", L"Yandex", L"Waterfox",
                                        L"LibreWolf", L"Floorp", L"Zen", L"FirefoxStore" })
                expected.push_back(std::wstring(L"BROWSERS/") + key + L"=1");
        }
        EXPECT_EQ(expected, browsers) << c.what;
        EXPECT_EQ(7u + expected.size(), profile.written.size()) << c.what;
    }
}

// The list's keys are each written only when its value is not the default or the file has the
// key already; a stored count outside the list's range reads clamped into it.
TEST(SettingsTable, ListKeysOnlyWhenChanged)
{
    const struct { const char* what; unsigned number; int width, titleWidth; std::vector<std::wstring> stored, written; } cases[] = {
        { "all defaults", 100, 0, 0, {}, {} },
        { "a larger list", 500, 0, 0, {}, { L"LIST/ListNumber=500" } },
        { "resized, one column widened", 100, 640, 300, {}, { L"LIST/Width=640", L"LIST/TitleWidth=300" } },
        { "back to the default, the key there", 100, 0, 0, { L"LIST/Width" }, { L"LIST/Width=0" } },
    };
    for (const auto& c : cases) {
        Options o;
        Table::SetDefaults(o);
        o.m_nListNumber = c.number;
        o.m_nListWidth = c.width;
        o.m_nListTitleWidth = c.titleWidth;
        MemoryProfile profile;
        for (const std::wstring& key : c.stored)
            profile.stored[key] = 1;
        EXPECT_TRUE(Table::Save(o, profile));
        std::vector<std::wstring> list;
        for (const std::wstring& line : profile.written)
            if (line.compare(0, 5, L"LIST/") == 0)
                list.push_back(line);
        EXPECT_EQ(c.written, list) << c.what;
    }
    const struct { unsigned stored; unsigned read; } counts[] = {
        { 0, 16 }, { 15, 16 }, { 16, 16 }, { 250, 250 }, { 1000, 1000 }, { 1001, 1000 }, { 4294967295u, 16 },
    };
    for (const auto& c : counts) {
        MemoryProfile profile;
        profile.stored[L"LIST/ListNumber"] = c.stored;
        Options o;
        Table::Load(o, profile);
        EXPECT_EQ(c.read, o.m_nListNumber) << c.stored;
    }
    // "abc" reads as 0, which would be clamped to the smallest list: it is no number, so the
    // list has its default size.
    MemoryProfile garbled;
    garbled.stored[L"LIST/ListNumber"] = 0;
    garbled.notNumbers.insert(L"LIST/ListNumber");
    Options o;
    Table::Load(o, garbled);
    EXPECT_EQ(100u, o.m_nListNumber);
}

// The browsers' section holds exactly the URL cache's key and one for each browser of the
// table, each once: a browser without a key could never be chosen, a key without a browser
// would choose nothing.
TEST(SettingsTable, EveryBrowserHasItsKeyAndEveryKeyABrowser)
{
    std::vector<std::string> keys;
    for (const SettingRow<Options>& row : Table::Rows())
        if (row.section == L"BROWSERS")
            keys.emplace_back(row.key.begin(), row.key.end());
    std::vector<std::string> expected = { "InternetExplorer" };
    for (const BrowserDescriptor& browser : Browsers::All())
        expected.push_back(browser.key);
    EXPECT_EQ(expected, keys);
    EXPECT_EQ(keys.size(), std::set<std::string>(keys.begin(), keys.end()).size()) << "a key twice";
    for (const std::string& key : keys)
        EXPECT_TRUE(key == "InternetExplorer" || Browsers::Find(key)) << key;
}

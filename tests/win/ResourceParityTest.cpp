// The built program's two faces side by side, read from its resources as the loader sees them:
// every dialog and every string exists in Japanese and in English (en-US, never language-
// neutral); each English template has the Japanese one's controls, in the same order (the tab
// order), of the same classes and with the same tab stops and groups, and an access key
// wherever the Japanese control has one.
#include "AppDriver.h"
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {
const LANGID kJapanese = 0x0411, kEnglish = 0x0409;

struct Control {
    DWORD id;
    std::wstring cls;  // a name, or "#n" for a predefined class
    bool tabStop, group;
    std::wstring text;
    bool operator==(const Control& o) const
    {
        return id == o.id && cls == o.cls && tabStop == o.tabStop && group == o.group;
    }
};

// Reads a name or ordinal field (sz_Or_Ord) and moves past it.
std::wstring NameOrOrdinal(const WORD*& p)
{
    if (*p == 0xFFFF) {
        std::wstring ordinal = L"#" + std::to_wstring(p[1]);
        p += 2;
        return ordinal;
    }
    std::wstring name(reinterpret_cast<const wchar_t*>(p));
    p += name.size() + 1;
    return name;
}

const WORD* DwordAligned(const WORD* p)
{
    return reinterpret_cast<const WORD*>((reinterpret_cast<uintptr_t>(p) + 3) & ~uintptr_t(3));
}

// The controls of a DLGTEMPLATE or DLGTEMPLATEEX, in order.
std::vector<Control> Controls(const void* resource)
{
    const WORD* p = static_cast<const WORD*>(resource);
    const bool ex = p[0] == 1 && p[1] == 0xFFFF;
    DWORD style;
    WORD count;
    if (ex) {
        style = *reinterpret_cast<const DWORD*>(p + 6);
        count = p[8];
        p += 13;  // dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy
    } else {
        style = *reinterpret_cast<const DWORD*>(p);
        count = p[4];
        p += 9;  // style, exStyle, cdit, x, y, cx, cy
    }
    NameOrOrdinal(p);  // menu
    NameOrOrdinal(p);  // class
    NameOrOrdinal(p);  // title
    if (style & DS_SETFONT) {
        p += ex ? 3 : 1;  // point size (and weight, italic, charset)
        NameOrOrdinal(p);
    }
    std::vector<Control> controls;
    for (WORD i = 0; i < count; ++i) {
        p = DwordAligned(p);
        Control c;
        DWORD itemStyle;
        if (ex) {
            itemStyle = *reinterpret_cast<const DWORD*>(p + 4);
            c.id = *reinterpret_cast<const DWORD*>(p + 10);
            p += 12;  // helpID, exStyle, style, x, y, cx, cy, id
        } else {
            itemStyle = *reinterpret_cast<const DWORD*>(p);
            c.id = p[8];
            p += 9;  // style, exStyle, x, y, cx, cy, id
        }
        c.cls = NameOrOrdinal(p);
        c.text = NameOrOrdinal(p);
        p += 1 + *p / sizeof(WORD);  // creation data
        c.tabStop = (itemStyle & WS_TABSTOP) != 0;
        c.group = (itemStyle & WS_GROUP) != 0;
        controls.push_back(c);
    }
    return controls;
}

// An access key: a "&" not doubled.
bool HasAccessKey(const std::wstring& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == L'&' && text[i + 1] != L'&')
            return true;
        if (text[i] == L'&')
            ++i;
    }
    return false;
}

class ProgramResources : public testing::Test {
protected:
    void SetUp() override
    {
        m_module = LoadLibraryExW((AppDriver::DistDir() + L"\\Backtracker.exe").c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_TRUE(m_module);
    }
    void TearDown() override
    {
        if (m_module)
            FreeLibrary(m_module);
    }

    // Each resource of the type (an integer id) with the languages it exists in.
    std::map<WORD, std::set<LANGID>> Languages(LPCWSTR type)
    {
        struct Found {
            HMODULE module;
            std::map<WORD, std::set<LANGID>> ids;
        } found{ m_module, {} };
        EnumResourceNamesW(m_module, type, [](HMODULE module, LPCWSTR t, LPWSTR name, LONG_PTR param) -> BOOL {
            auto* f = reinterpret_cast<Found*>(param);
            EXPECT_TRUE(IS_INTRESOURCE(name));
            const WORD id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
            EnumResourceLanguagesW(module, t, name, [](HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR p) -> BOOL {
                reinterpret_cast<std::set<LANGID>*>(p)->insert(language);
                return TRUE;
            }, reinterpret_cast<LONG_PTR>(&f->ids[id]));
            return TRUE;
        }, reinterpret_cast<LONG_PTR>(&found));
        return found.ids;
    }
    const void* Resource(LPCWSTR type, WORD id, LANGID language, DWORD* size = nullptr)
    {
        HRSRC found = FindResourceExW(m_module, type, MAKEINTRESOURCEW(id), language);
        if (!found)
            return nullptr;
        if (size)
            *size = SizeofResource(m_module, found);
        return LockResource(LoadResource(m_module, found));
    }
    // The ids of the non-empty strings of a string table, in one language.
    std::set<UINT> StringIds(LANGID language)
    {
        std::set<UINT> ids;
        for (const auto& block : Languages(RT_STRING)) {
            DWORD size = 0;
            const WORD* p = static_cast<const WORD*>(Resource(RT_STRING, block.first, language, &size));
            if (!p)
                continue;
            const WORD* end = p + size / sizeof(WORD);
            for (UINT i = 0; i < 16 && p < end; ++i) {
                if (*p)
                    ids.insert((block.first - 1u) * 16 + i);
                p += 1 + *p;
            }
        }
        return ids;
    }

    HMODULE m_module = nullptr;
};
}

TEST_F(ProgramResources, EveryDialogAndStringInBothLanguagesWithTheSameControls)
{
    const std::map<WORD, std::set<LANGID>> dialogs = Languages(RT_DIALOG);
    ASSERT_GE(dialogs.size(), 5u);
    for (const auto& dialog : dialogs) {
        SCOPED_TRACE("dialog " + std::to_string(dialog.first));
        EXPECT_EQ((std::set<LANGID>{ kJapanese, kEnglish }), dialog.second);
        const void* ja = Resource(RT_DIALOG, dialog.first, kJapanese);
        const void* en = Resource(RT_DIALOG, dialog.first, kEnglish);
        ASSERT_TRUE(ja && en);
        const std::vector<Control> jaControls = Controls(ja), enControls = Controls(en);
        ASSERT_EQ(jaControls.size(), enControls.size());
        for (size_t i = 0; i < jaControls.size(); ++i) {
            SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(jaControls[i].id));
            EXPECT_TRUE(jaControls[i] == enControls[i]) << "the same control in the same place of the tab order";
            EXPECT_EQ(HasAccessKey(jaControls[i].text), HasAccessKey(enControls[i].text))
                << "an access key where the Japanese control has one";
        }
    }
    for (const auto& block : Languages(RT_STRING)) {
        SCOPED_TRACE("string block " + std::to_string(block.first));
        EXPECT_EQ((std::set<LANGID>{ kJapanese, kEnglish }), block.second) << "never language-neutral";
    }
    const std::set<UINT> jaStrings = StringIds(kJapanese), enStrings = StringIds(kEnglish);
    EXPECT_GT(jaStrings.size(), 40u);
    EXPECT_EQ(jaStrings, enStrings);
}

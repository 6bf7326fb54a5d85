#include "CSettingsFile.h"
#include "CReopenDlg.h"
#include "SettingsTable.h"
#include "../framework/FileSystem.h"
#include "../text/AnsiText.h"
#include <windows.h>

namespace {
std::u16string_view View(const wchar_t* text)
{
    return std::u16string_view(reinterpret_cast<const char16_t*>(text), std::char_traits<wchar_t>::length(text));
}
}

CSettingsFile::CSettingsFile(std::wstring path) : m_strPath(std::move(path)) { Read(); }

void CSettingsFile::Read()
{
    std::string bytes;
    m_bReadable = FileSystem::ReadStart(m_strPath, SettingsText::kMaxBytes, &bytes);
    m_text = SettingsText::Parse(bytes, [](const std::string& ansi) {
        const std::wstring wide = AnsiText::ToWide(ansi);
        return std::u16string(wide.begin(), wide.end());
    });
}

void CSettingsFile::Load(CReopenDlg& dlg) const { SettingsTable<CReopenDlg>::Load(dlg, *this); }

bool CSettingsFile::Save(const CReopenDlg& dlg)
{
    // What is written depends on what the file holds: as it is now, not as it was at start.
    Read();
    return SettingsTable<CReopenDlg>::Save(dlg, *this);
}

std::wstring CSettingsFile::ReadString(const wchar_t* section, const wchar_t* key) const
{
    const std::optional<std::u16string> value = m_text.Value(View(section), View(key));
    if (!value || value->size() >= 63)
        return std::wstring();
    return std::wstring(value->begin(), value->end());
}

unsigned CSettingsFile::ReadInt(const wchar_t* section, const wchar_t* key, int defaultValue) const
{
    return m_text.Int(View(section), View(key), defaultValue);
}

bool CSettingsFile::WriteString(const wchar_t* section, const wchar_t* key, const wchar_t* text) const
{
    return WritePrivateProfileStringW(section, key, text, m_strPath.c_str()) != FALSE;
}

bool CSettingsFile::HasSection(const wchar_t* section) const { return m_text.HasSection(View(section)); }

bool CSettingsFile::HasKey(const wchar_t* section, const wchar_t* key) const
{
    return m_text.HasKey(View(section), View(key));
}

bool CSettingsFile::IsNumber(const wchar_t* section, const wchar_t* key) const
{
    return m_text.IsNumber(View(section), View(key));
}

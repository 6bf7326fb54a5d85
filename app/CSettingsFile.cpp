#include "CSettingsFile.h"
#include "CReopenDlg.h"
#include "SettingsTable.h"
#include <windows.h>

CSettingsFile::CSettingsFile(std::wstring path) : m_strPath(std::move(path)) {}

void CSettingsFile::Load(CReopenDlg& dlg) const { SettingsTable<CReopenDlg>::Load(dlg, *this); }

bool CSettingsFile::Save(const CReopenDlg& dlg) const { return SettingsTable<CReopenDlg>::Save(dlg, *this); }

unsigned CSettingsFile::ReadInt(const wchar_t* section, const wchar_t* key, int defaultValue) const
{
    return GetPrivateProfileIntW(section, key, defaultValue, m_strPath.c_str());
}

bool CSettingsFile::WriteString(const wchar_t* section, const wchar_t* key, const wchar_t* text) const
{
    return WritePrivateProfileStringW(section, key, text, m_strPath.c_str()) != FALSE;
}

#include "CSettingsFile.h"
#include "CReopenDlg.h"
#include "SettingsTable.h"
#include <windows.h>
#include <vector>

CSettingsFile::CSettingsFile(std::wstring path) : m_strPath(std::move(path)) {}

void CSettingsFile::Load(CReopenDlg& dlg) const { SettingsTable<CReopenDlg>::Load(dlg, *this); }

bool CSettingsFile::Save(const CReopenDlg& dlg) const { return SettingsTable<CReopenDlg>::Save(dlg, *this); }

std::wstring CSettingsFile::ReadString(const wchar_t* section, const wchar_t* key) const
{
    wchar_t text[64] = {};
    DWORD length = GetPrivateProfileStringW(section, key, L"", text, 64, m_strPath.c_str());
    return length < 63 ? std::wstring(text, length) : std::wstring();
}

bool CSettingsFile::IsReadable() const
{
    HANDLE file = CreateFileW(m_strPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    CloseHandle(file);
    return true;
}

unsigned CSettingsFile::ReadInt(const wchar_t* section, const wchar_t* key, int defaultValue) const
{
    return GetPrivateProfileIntW(section, key, defaultValue, m_strPath.c_str());
}

bool CSettingsFile::WriteString(const wchar_t* section, const wchar_t* key, const wchar_t* text) const
{
    return WritePrivateProfileStringW(section, key, text, m_strPath.c_str()) != FALSE;
}

bool CSettingsFile::HasSection(const wchar_t* section) const
{
    // The names come as a list of zero-terminated strings; a large buffer holds any real file.
    std::vector<wchar_t> names(65536);
    DWORD n = GetPrivateProfileSectionNamesW(names.data(), static_cast<DWORD>(names.size()), m_strPath.c_str());
    for (DWORD at = 0; at < n && names[at];) {
        std::wstring name(&names[at]);
        if (lstrcmpiW(name.c_str(), section) == 0)
            return true;
        at += static_cast<DWORD>(name.size()) + 1;
    }
    return false;
}

bool CSettingsFile::HasKey(const wchar_t* section, const wchar_t* key) const
{
    // A missing key gives the default; no stored value can hold a line break.
    wchar_t value[4];
    GetPrivateProfileStringW(section, key, L"\n", value, 4, m_strPath.c_str());
    return lstrcmpW(value, L"\n") != 0;
}

// The settings file beside the executable, read and written through the private-profile calls.
#pragma once
#include "SettingsProfile.h"
#include <string>

class CReopenDlg;

class CSettingsFile : public SettingsProfile {
public:
    explicit CSettingsFile(std::wstring path);

    const std::wstring& Path() const { return m_strPath; }
    // The main dialog's options as the file holds them; missing keys give the defaults.
    void Load(CReopenDlg& dlg) const;
    // Writes every key, in order; false when any of them could not be written.
    bool Save(const CReopenDlg& dlg) const;

    // A key's text; empty when it is missing (or longer than a setting ever is).
    std::wstring ReadString(const wchar_t* section, const wchar_t* key) const;
    // False when the file is there but cannot be opened to read (no file: the defaults).
    bool IsReadable() const;

    unsigned ReadInt(const wchar_t* section, const wchar_t* key, int defaultValue) const override;
    bool WriteString(const wchar_t* section, const wchar_t* key, const wchar_t* text) const override;
    bool HasSection(const wchar_t* section) const override;
    bool HasKey(const wchar_t* section, const wchar_t* key) const override;

private:
    std::wstring m_strPath;
};

// The settings file beside the executable: read once, as the private-profile calls would read
// it (SettingsText), and written through them.
#pragma once
#include "SettingsProfile.h"
#include "SettingsText.h"
#include <string>

class CReopenDlg;

class CSettingsFile : public SettingsProfile {
public:
    // Reads the file now (one read; a missing file reads as empty).
    explicit CSettingsFile(std::wstring path);

    const std::wstring& Path() const { return m_strPath; }
    // The main dialog's options as the file holds them; missing keys give the defaults.
    void Load(CReopenDlg& dlg) const;
    // Writes every key, in order, deciding what to write from the file as it is then (read
    // again); false when any of them could not be written.
    bool Save(const CReopenDlg& dlg);

    // A key's text; empty when it is missing (or longer than a setting ever is).
    std::wstring ReadString(const wchar_t* section, const wchar_t* key) const;
    // False when the file is there but could not be opened to read (no file: the defaults).
    bool IsReadable() const { return m_bReadable; }

    unsigned ReadInt(const wchar_t* section, const wchar_t* key, int defaultValue) const override;
    bool WriteString(const wchar_t* section, const wchar_t* key, const wchar_t* text) const override;
    bool HasSection(const wchar_t* section) const override;
    bool HasKey(const wchar_t* section, const wchar_t* key) const override;
    bool IsNumber(const wchar_t* section, const wchar_t* key) const override;

private:
    void Read();

    std::wstring m_strPath;
    SettingsText m_text;
    bool m_bReadable = true;
};

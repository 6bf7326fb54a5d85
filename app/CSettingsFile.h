// The settings file beside the executable: the seven options of the main dialog.
#pragma once
#include <string>

class CReopenDlg;

class CSettingsFile {
public:
    explicit CSettingsFile(std::wstring path);

    const std::wstring& Path() const { return m_strPath; }
    // Missing keys, or no file at all, give the defaults.
    void Load(CReopenDlg& dlg) const;
    // Writes every key, in order; false when any of them could not be written.
    bool Save(const CReopenDlg& dlg) const;

private:
    std::wstring m_strPath;
};

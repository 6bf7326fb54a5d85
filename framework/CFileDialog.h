// The system's dialog that asks where to save a file (or which to open), MFC's way: the filter
// as "name|pattern|name|pattern||", the chosen path and filter after DoModal.
#pragma once
#include "CWnd.h"
#include <commdlg.h>
#include <string>

class CFileDialog {
public:
    // `defaultExt` without its dot; `flags` as OPENFILENAME takes them (the save dialog asks
    // before replacing a file with OFN_OVERWRITEPROMPT).
    CFileDialog(BOOL openFileDialog, const wchar_t* defaultExt, const wchar_t* fileName, DWORD flags,
                const std::wstring& filter, CWnd* parent = nullptr);
    // IDOK with a path chosen, else IDCANCEL.
    INT_PTR DoModal();
    std::wstring GetPathName() const { return m_path; }
    // The filter chosen, from 1.
    int GetFilterIndex() const { return static_cast<int>(m_ofn.nFilterIndex); }

    OPENFILENAMEW m_ofn = {};

private:
    BOOL m_open;
    std::wstring m_filter;  // with zeros between its parts
    std::wstring m_defaultExt;
    std::wstring m_buffer;
    std::wstring m_path;
};

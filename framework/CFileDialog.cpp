#include "CFileDialog.h"

CFileDialog::CFileDialog(BOOL openFileDialog, const wchar_t* defaultExt, const wchar_t* fileName, DWORD flags,
                         const std::wstring& filter, CWnd* parent)
    : m_open(openFileDialog), m_filter(filter), m_defaultExt(defaultExt ? defaultExt : L"")
{
    for (wchar_t& c : m_filter)
        if (c == L'|')
            c = L'\0';
    m_buffer.assign(32768, L'\0');
    if (fileName)
        m_buffer.replace(0, std::wstring(fileName).size(), fileName);
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
    m_ofn.nFilterIndex = 1;
    m_ofn.lpstrFile = &m_buffer[0];
    m_ofn.nMaxFile = static_cast<DWORD>(m_buffer.size());
    m_ofn.lpstrDefExt = m_defaultExt.empty() ? nullptr : m_defaultExt.c_str();
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_NOCHANGEDIR;
}

INT_PTR CFileDialog::DoModal()
{
    const BOOL chosen = m_open ? GetOpenFileNameW(&m_ofn) : GetSaveFileNameW(&m_ofn);
    if (!chosen)
        return IDCANCEL;
    m_path = m_buffer.c_str();
    return IDOK;
}

#include "CBstr.h"
#include "../text/AnsiText.h"
#include <new>

CBstr::CBstr(const char* ansiText)
{
    if (!ansiText)
        return;
    std::wstring wide = AnsiText::ToWide(ansiText);
    m_bstr = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (!m_bstr)
        throw std::bad_alloc();
}

CBstr::~CBstr() { SysFreeString(m_bstr); }

BSTR* CBstr::Out()
{
    SysFreeString(m_bstr);
    m_bstr = nullptr;
    return &m_bstr;
}

BSTR CBstr::Detach()
{
    BSTR b = m_bstr;
    m_bstr = nullptr;
    return b;
}

std::string CBstr::ToAnsi() const
{
    if (!m_bstr)
        return std::string();
    return AnsiText::FromWide(std::wstring(m_bstr, SysStringLen(m_bstr)));
}

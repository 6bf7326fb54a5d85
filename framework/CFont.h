// A font object owned by its holder; deleted with it.
#pragma once
#include <windows.h>

class CFont {
public:
    CFont() = default;
    ~CFont() { DeleteObject(); }
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    BOOL CreateFontIndirect(const LOGFONTW* lf)
    {
        DeleteObject();
        m_hObject = ::CreateFontIndirectW(lf);
        return m_hObject != nullptr;
    }
    void DeleteObject()
    {
        if (m_hObject)
            ::DeleteObject(m_hObject);
        m_hObject = nullptr;
    }
    HFONT GetSafeHandle() const { return m_hObject; }
    // Takes over a font whose previous holder has let it go.
    void Adopt(HFONT font) { m_hObject = font; }

private:
    HFONT m_hObject = nullptr;
};

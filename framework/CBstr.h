// A BSTR owned by the holder: made from ANSI text, or filled by a COM call's [out] parameter,
// and freed with the holder.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <string>

class CBstr {
public:
    CBstr() = default;
    // From text in the ANSI code page; null text gives a null BSTR. Throws bad_alloc.
    explicit CBstr(const char* ansiText);
    ~CBstr();
    CBstr(const CBstr&) = delete;
    CBstr& operator=(const CBstr&) = delete;

    BSTR Get() const { return m_bstr; }
    // For an [out] parameter: frees what the holder had and gives the address to fill.
    BSTR* Out();
    // Hands the string over; the holder no longer frees it.
    BSTR Detach();
    // The whole string (its stored length, zeros included) in the ANSI code page.
    std::string ToAnsi() const;

private:
    BSTR m_bstr = nullptr;
};

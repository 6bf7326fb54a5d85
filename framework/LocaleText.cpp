#include "LocaleText.h"
#include <windows.h>

namespace {
constexpr DWORD kFold = NORM_IGNORECASE | NORM_IGNOREWIDTH | NORM_IGNOREKANATYPE;
}

bool LocaleText::Holds(const std::wstring& text, const std::wstring& part)
{
    if (part.empty())
        return true;
    if (text.empty())
        return false;
    return FindNLSStringEx(LOCALE_NAME_USER_DEFAULT, FIND_FROMSTART | kFold, text.c_str(), static_cast<int>(text.size()),
                           part.c_str(), static_cast<int>(part.size()), nullptr, nullptr, nullptr, 0) >= 0;
}

int LocaleText::Compare(const std::wstring& a, const std::wstring& b)
{
    const int r = CompareStringEx(LOCALE_NAME_USER_DEFAULT, kFold | SORT_DIGITSASNUMBERS, a.c_str(),
                                  static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), nullptr, nullptr, 0);
    if (r == 0)  // refused: by the code units
        return a.compare(b);
    return r - CSTR_EQUAL;
}

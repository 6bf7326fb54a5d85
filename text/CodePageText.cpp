#include "CodePageText.h"
#include <windows.h>

std::wstring CodePageText::ToWide(const std::string& text, unsigned codePage)
{
    if (text.empty())
        return std::wstring();
    int chars = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(chars), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], chars);
    return wide;
}

std::string CodePageText::FromWide(const std::wstring& text, unsigned codePage)
{
    if (text.empty())
        return std::string();
    int bytes = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &out[0], bytes, nullptr, nullptr);
    return out;
}

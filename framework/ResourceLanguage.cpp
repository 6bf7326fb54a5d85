#include "ResourceLanguage.h"

namespace {
LANGID g_language = 0;
}

void ResourceLanguage::Set(LANGID language) { g_language = language; }

LANGID ResourceLanguage::Get() { return g_language; }

HRSRC ResourceLanguage::Find(HINSTANCE module, LPCWSTR type, LPCWSTR name)
{
    HRSRC found = g_language ? FindResourceExW(module, type, name, g_language) : nullptr;
    return found ? found : FindResourceW(module, name, type);
}

std::wstring ResourceLanguage::String(HINSTANCE module, UINT id)
{
    HRSRC block = Find(module, RT_STRING, MAKEINTRESOURCEW((id >> 4) + 1));
    HGLOBAL loaded = block ? LoadResource(module, block) : nullptr;
    const WCHAR* at = loaded ? static_cast<const WCHAR*>(LockResource(loaded)) : nullptr;
    if (!at)
        return std::wstring();
    const WCHAR* end = at + SizeofResource(module, block) / sizeof(WCHAR);
    for (UINT i = 0; i < (id & 15); ++i) {
        if (at >= end)
            return std::wstring();
        at += 1 + *at;
    }
    if (at >= end || at + 1 + *at > end)
        return std::wstring();
    return std::wstring(at + 1, *at);
}

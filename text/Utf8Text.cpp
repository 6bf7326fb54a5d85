#include "Utf8Text.h"
#include "CodePageText.h"
#include <windows.h>

std::string Utf8Text::FromWide(const std::wstring& text) { return CodePageText::FromWide(text, CP_UTF8); }

std::wstring Utf8Text::ToWide(const std::string& text) { return CodePageText::ToWide(text, CP_UTF8); }

#include "AnsiText.h"
#include "CodePageText.h"
#include <windows.h>

std::wstring AnsiText::ToWide(const std::string& text) { return CodePageText::ToWide(text, CP_ACP); }

std::string AnsiText::FromWide(const std::wstring& text) { return CodePageText::FromWide(text, CP_ACP); }

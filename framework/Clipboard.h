// The clipboard, as a program that copies text puts it there.
#pragma once
#include <windows.h>
#include <string>

class Clipboard {
public:
    // Puts `text` on the clipboard as Unicode text, in place of what it held; false when the
    // clipboard could not be had.
    static bool SetText(HWND owner, const std::wstring& text);
};

// A pop-up menu made in code: items with their keys' names, shown where the user asked for
// it, its choice sent to the owner as the command it names.
#pragma once
#include <windows.h>
#include <string>

class CMenu {
public:
    CMenu();
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    // An item: its text (an "&" before its access key), the name of its shortcut key shown at
    // the right ("Ctrl+L", or empty), and the command it sends.
    void AppendItem(UINT id, const std::wstring& text, const std::wstring& key = std::wstring(), bool enabled = true);
    void AppendSeparator();
    // Shows the menu with a corner at `at` (screen coordinates): its left one, or its right one
    // with `rightAligned`; the chosen item's command goes to `owner` as WM_COMMAND.
    void Show(HWND owner, POINT at, bool rightAligned = false);

    HMENU m_hMenu;
};

#include "CMenu.h"

CMenu::CMenu() : m_hMenu(CreatePopupMenu()) {}

CMenu::~CMenu()
{
    if (m_hMenu)
        DestroyMenu(m_hMenu);
}

void CMenu::AppendItem(UINT id, const std::wstring& text, const std::wstring& key, bool enabled)
{
    const std::wstring item = key.empty() ? text : text + L"\t" + key;
    AppendMenuW(m_hMenu, MF_STRING | (enabled ? 0 : MF_GRAYED), id, item.c_str());
}

void CMenu::AppendSeparator() { AppendMenuW(m_hMenu, MF_SEPARATOR, 0, nullptr); }

void CMenu::Show(HWND owner, POINT at, bool rightAligned)
{
    if (!m_hMenu)
        return;
    // The owner in front first, or the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    TrackPopupMenu(m_hMenu, (rightAligned ? TPM_RIGHTALIGN : TPM_LEFTALIGN) | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y,
                   0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
}

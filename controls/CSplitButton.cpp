#include "CSplitButton.h"
#include <commctrl.h>

void CSplitButton::EnableSplit()
{
    if (!m_hWnd || m_bSplit)
        return;
    m_bSplit = true;
    LONG_PTR style = GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    const bool isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    style = (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | (isDefault ? BS_DEFSPLITBUTTON : BS_SPLITBUTTON);
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, style);
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

POINT CSplitButton::MenuCorner() const
{
    RECT r = {};
    ::GetWindowRect(m_hWnd, &r);
    return { r.left, r.bottom };
}

// As the arrow's click tells it, so that the parent answers both alike.
void CSplitButton::AskForMenu()
{
    NMBCDROPDOWN drop = {};
    drop.hdr.hwndFrom = m_hWnd;
    drop.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(m_hWnd));
    drop.hdr.code = BCN_DROPDOWN;
    ::GetClientRect(m_hWnd, &drop.rcButton);
    ::SendMessageW(GetParent(m_hWnd), WM_NOTIFY, drop.hdr.idFrom, reinterpret_cast<LPARAM>(&drop));
}

LRESULT CSplitButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_bSplit) {
        if (message == BM_SETSTYLE) {
            // The dialog manager makes a button the default, or no longer, by its push styles.
            const WPARAM type = wParam & BS_TYPEMASK;
            if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
                wParam = (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | (type == BS_DEFPUSHBUTTON ? BS_DEFSPLITBUTTON : BS_SPLITBUTTON);
        } else if (message == WM_GETDLGCODE) {
            // Still a push button to the dialog manager: the default one or not.
            LRESULT code = CWnd::WindowProc(message, wParam, lParam) & ~(DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
            const bool isDefault = (GetWindowLongPtrW(m_hWnd, GWL_STYLE) & BS_TYPEMASK) == BS_DEFSPLITBUTTON;
            return code | DLGC_BUTTON | (isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        } else if (message == WM_SYSKEYDOWN && wParam == VK_DOWN) {
            AskForMenu();
            return 0;
        }
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

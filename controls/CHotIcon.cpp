#include "CHotIcon.h"

void CHotIcon::PreSubclassWindow()
{
    SetWindowLongW(m_hWnd, GWL_STYLE, GetWindowLongW(m_hWnd, GWL_STYLE) | SS_NOTIFY);
    LoadDefaultCursor();
    CHoverStatic::PreSubclassWindow();
}

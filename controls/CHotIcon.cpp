#include "CHotIcon.h"
#include "HandCursor.h"

BEGIN_MESSAGE_MAP(CHotIcon, CStatic)
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CHotIcon::CHotIcon() = default;

CHotIcon::~CHotIcon()
{
    if (m_hCursor)
        DestroyCursor(m_hCursor);
}

void CHotIcon::PreSubclassWindow()
{
    SetWindowLongW(m_hWnd, GWL_STYLE, GetWindowLongW(m_hWnd, GWL_STYLE) | SS_NOTIFY);
    LoadDefaultCursor();
    CStatic::PreSubclassWindow();
}

void CHotIcon::LoadDefaultCursor()
{
    if (!m_hCursor)
        m_hCursor = HandCursor::LoadCopy();
}

BOOL CHotIcon::OnSetCursor(HWND, UINT, UINT)
{
    if (!m_hCursor)
        return FALSE;
    SetCursor(m_hCursor);
    return TRUE;
}

void CHotIcon::OnMouseMove(UINT, POINT point)
{
    Default();
    if (m_bHovering) {
        RECT rc;
        GetClientRect(&rc);
        if (PtInRect(&rc, point))
            return;
        m_bHovering = FALSE;
        ReleaseCapture();
        RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return;
    }
    m_bHovering = TRUE;
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    SetCapture(m_hWnd);
}

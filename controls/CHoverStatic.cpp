#include "CHoverStatic.h"
#include "HandCursor.h"

BEGIN_MESSAGE_MAP(CHoverStatic, CStatic)
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CHoverStatic::~CHoverStatic()
{
    if (m_hCursor)
        DestroyCursor(m_hCursor);
}

void CHoverStatic::LoadDefaultCursor()
{
    if (!m_hCursor)
        m_hCursor = HandCursor::LoadCopy();
}

BOOL CHoverStatic::OnSetCursor(HWND, UINT, UINT)
{
    if (!m_hCursor)
        return FALSE;
    SetCursor(m_hCursor);
    return TRUE;
}

void CHoverStatic::Repaint()
{
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// Hovering starts with the first move over the control and takes the capture, so that the
// move that leaves it is seen too.
void CHoverStatic::OnMouseMove(UINT, POINT point)
{
    Default();
    if (m_bHovering) {
        RECT rc;
        GetClientRect(&rc);
        if (PtInRect(&rc, point))
            return;
        m_bHovering = FALSE;
        ReleaseCapture();
        Repaint();
        return;
    }
    m_bHovering = TRUE;
    Repaint();
    SetCapture(m_hWnd);
}

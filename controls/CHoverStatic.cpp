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
        if (PtInRect(&rc, point)) {
            TrackLeaving();
            return;
        }
        EndHovering();
        return;
    }
    m_bHovering = TRUE;
    Repaint();
    SetCapture(m_hWnd);
    TrackLeaving();
}

// The platform reports when the pointer leaves, also when no move outside reaches the control.
void CHoverStatic::TrackLeaving()
{
    TRACKMOUSEEVENT tme = { sizeof(tme), TME_LEAVE, m_hWnd, 0 };
    TrackMouseEvent(&tme);
}

bool CHoverStatic::PointerIsOver() const
{
    RECT rc;
    POINT pt;
    return GetWindowRect(m_hWnd, &rc) && GetCursorPos(&pt) && PtInRect(&rc, pt);
}

void CHoverStatic::EndHovering()
{
    if (!m_bHovering)
        return;
    m_bHovering = FALSE;
    if (GetCapture() == m_hWnd)
        ReleaseCapture();
    Repaint();
}

LRESULT CHoverStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSELEAVE) {
        // Only a pointer that is really elsewhere ends it; the next move tracks again.
        if (!PointerIsOver())
            EndHovering();
        return 0;
    }
    if (message == WM_CAPTURECHANGED && reinterpret_cast<HWND>(lParam) != m_hWnd)
        EndHovering();
    return CStatic::WindowProc(message, wParam, lParam);
}

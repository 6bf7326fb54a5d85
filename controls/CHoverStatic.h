// A static control that shows the hand cursor over it and tracks the mouse with the capture
// while it hovers: the common part of the hot icon and the link label.
#pragma once
#include "../framework/CStatic.h"

class CHoverStatic : public CStatic {
public:
    ~CHoverStatic() override;

    // The help viewer's hand cursor, or the system's hand where that one is missing; only
    // when no cursor is set yet.
    virtual void LoadDefaultCursor();
    HCURSOR GetHoverCursorHandle() const { return m_hCursor; }
    BOOL IsHovering() const { return m_bHovering; }

protected:
    BOOL OnSetCursor(HWND hWnd, UINT nHitTest, UINT message);
    void OnMouseMove(UINT nFlags, POINT point);
    // Leaving is also seen when no move outside arrives (the pointer jumped away, or the
    // capture was taken): the platform reports the leave, or the loss of the capture.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void EndHovering();
    void TrackLeaving();
    bool PointerIsOver() const;
    // The look of the control while hovering changes (or not): repaint at once.
    void Repaint();

    BOOL m_bHovering = FALSE;
    HCURSOR m_hCursor = nullptr;

    DECLARE_MESSAGE_MAP()
};

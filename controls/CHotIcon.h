// The application icon of the main dialog made clickable: it reports clicks to its parent
// and shows the hand cursor while the mouse is over it. Its look never changes.
#pragma once
#include "../framework/CStatic.h"

class CHotIcon : public CStatic {
public:
    CHotIcon();
    ~CHotIcon() override;

    // The help viewer's hand cursor, or the system's hand where that one is missing.
    void LoadDefaultCursor();
    HCURSOR GetCursor() const { return m_hCursor; }

protected:
    void PreSubclassWindow() override;
    BOOL OnSetCursor(HWND hWnd, UINT nHitTest, UINT message);
    void OnMouseMove(UINT nFlags, POINT point);

    BOOL m_bHovering = FALSE;
    HCURSOR m_hCursor = nullptr;

    DECLARE_MESSAGE_MAP()
};

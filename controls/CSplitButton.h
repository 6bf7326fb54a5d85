// A push button of a dialog template that becomes a split button when there is more to offer:
// its arrow, or Alt+Down while it has the focus, asks the parent for its menu (BCN_DROPDOWN).
// Until then it is the push button the template made. The dialog manager, which moves the
// default between push buttons by their styles, leaves it a split button.
#pragma once
#include "../framework/CWnd.h"

class CSplitButton : public CWnd {
public:
    void EnableSplit();
    bool IsSplit() const { return m_bSplit; }
    // Where its menu drops: under its left edge, in screen coordinates.
    POINT MenuCorner() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void AskForMenu();
    bool m_bSplit = false;
};

// The application icon of the main dialog made clickable: it reports clicks to its parent
// and shows the hand cursor while the mouse is over it. Its look never changes.
#pragma once
#include "CHoverStatic.h"

class CHotIcon : public CHoverStatic {
protected:
    void PreSubclassWindow() override;
};

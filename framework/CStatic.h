// A static control taken over from a dialog template.
#pragma once
#include "CWnd.h"

class CStatic : public CWnd {
public:
    DECLARE_MESSAGE_MAP()
};

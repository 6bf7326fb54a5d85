#include "CStatic.h"

BEGIN_MESSAGE_MAP(CStatic, CWnd)
END_MESSAGE_MAP()

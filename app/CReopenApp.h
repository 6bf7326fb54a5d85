// The application: one pass from start to end around the modal main dialog.
#pragma once
#include "../framework/CWinApp.h"

class CReopenApp : public CWinApp {
public:
    CReopenApp();
    BOOL InitInstance() override;

private:
    static void BringRunningCopyToFront();
};

extern CReopenApp theApp;

#include "CBusyCommand.h"
#include "CWinApp.h"

namespace {
void DropQueued(UINT first, UINT last)
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, first, last, PM_REMOVE | PM_NOYIELD)) {
    }
}
}

CBusyCommand::CBusyCommand()
{
    if (CWinApp* app = AfxGetApp())
        app->BeginWaitCursor();
}

CBusyCommand::~CBusyCommand()
{
    DropQueued(WM_KEYFIRST, WM_KEYLAST);
    DropQueued(WM_MOUSEFIRST, WM_MOUSELAST);
    DropQueued(WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK);
    if (CWinApp* app = AfxGetApp())
        app->EndWaitCursor();
}

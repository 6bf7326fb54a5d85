// The application: one pass from start to end, around the modal main dialog, or the command the
// command line names (CommandLine) in the language chosen for this start (UiLanguage).
#pragma once
#include "../framework/CWinApp.h"
#include "CommandLine.h"

class CReopenDlg;
class CSettingsFile;

class CReopenApp : public CWinApp {
public:
    CReopenApp();
    BOOL InitInstance() override;
    // 0 when the start did what it was asked; for /reopen and /restore (CommandLine::ExitCodes): 0 every
    // page opened (or another /reopen running does the job), 1 none found, 2 an error (a bad
    // command line, settings that cannot be read, no page could be opened), 3 some pages not.
    int ExitInstance() override { return m_exitCode; }

private:
    static void BringRunningCopyToFront(bool showList, bool windows);
    void ShowUsage(const CommandLine::Parsed& command);
    int ReopenWithoutDialog(const CSettingsFile& settings, bool quiet, bool windows);
    void ShowListOnly(CReopenDlg& dlg, CSettingsFile& settings, bool windows);
    static void Save(const CReopenDlg& dlg, CSettingsFile& settings);

    int m_exitCode = 0;
};

extern CReopenApp theApp;

// The framework's message box: the application name as caption, owned by the main window.
#pragma once
#include <windows.h>
#include <string>

int AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
// A text of the program's string table; empty when there is none.
std::wstring AfxLoadString(UINT nID);

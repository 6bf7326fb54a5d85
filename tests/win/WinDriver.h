// Finding and working the windows of another thread or process, as a user would:
// waits with time-outs, posted clicks and keys, texts and check states.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <string>
#include <vector>

namespace WinDriver {

// Polls until pred() is true or the time-out has passed; returns the last answer.
bool WaitFor(const std::function<bool()>& pred, DWORD timeoutMs);

// A visible top-level dialog of the process (0 = any) that holds a control with the id.
HWND FindDialogWithControl(DWORD pid, int controlId);
HWND WaitDialogWithControl(DWORD pid, int controlId, DWORD timeoutMs = 15000);
// A message box of the process: a dialog holding the box's text control.
HWND FindMessageBox(DWORD pid);
HWND WaitMessageBox(DWORD pid, DWORD timeoutMs = 15000);
std::wstring MessageBoxText(HWND box);
// Top-level windows of the process that are visible.
int CountVisibleWindows(DWORD pid);

std::wstring Text(HWND wnd);
std::wstring ItemText(HWND dlg, int id);
bool IsChecked(HWND dlg, int id);
// Posted, so that a modal dialog the click opens does not block the caller.
void PostClick(HWND dlg, int id);
void PostKey(HWND target, UINT vk);
void PostChar(HWND target, wchar_t c);
// A key pressed and released on the keyboard, as a user types it (with Alt held when alt is
// set): it goes to the window that has the focus in the foreground.
void TypeKey(WORD vk, bool alt = false, bool ctrl = false);
// The left button pressed and released at a point of the screen, as a user clicks there.
void ClickAtScreen(POINT at);
// The cursor that the screen shows now.
HCURSOR ShownCursor();
// Makes the window the foreground window, as a user's click on it does; false if it did not.
bool BringToFront(HWND wnd);
// Presses and releases the left button at a point of the window's client area.
void PostMouseClick(HWND wnd, int x, int y);
// The focus and the capture of the thread that owns the window.
HWND FocusOf(HWND wnd);
HWND CaptureOf(HWND wnd);
// Ends the processes that own a window of the class (browsers a test caused).
void EndProcessesWithWindowClass(const wchar_t* windowClass);
// Ends the process that owns the window at once.
void EndProcessOf(HWND wnd);
// A known folder of the user (FOLDERID_...), or empty.
std::wstring KnownFolder(const GUID& id);
// The user's temporary folder, with its trailing backslash.
std::wstring TempFolder();
// Makes the folder and every folder above it that is missing.
void MakeFolders(const std::wstring& path);
// Removes a folder with everything in it.
void RemoveTree(const std::wstring& folder);
// What bt_record_args wrote to `file`: each start's arguments, the program first.
std::vector<std::vector<std::string>> RecordedStarts(const std::wstring& file);
// The rows of a report list view of another process: each column's text and the check box.
struct ListRow {
    std::vector<std::wstring> texts;
    bool checked = false;
    int image = -1;  // its place in the list's small images
};
std::vector<ListRow> ListRows(HWND list);
// Sets an item's check box of such a list, as a click on it does.
bool SetListCheck(HWND list, int item, bool checked);
// The middle of an item's label (or, with LVIR_ICON, its icon) on the screen.
POINT ListItemCentre(HWND list, int item, int part = LVIR_LABEL);
// The left button pressed and released twice at a point of the screen, as a double click.
void DoubleClickAtScreen(POINT at);
// Lets the target's thread work through what was posted to it.
void Settle(HWND wnd);
// A click on a button of a dialog of this thread's reach, or the mouse pressed and released
// over a static of it, each worked through before returning.
void Click(HWND dlg, int id);
void ClickStatic(HWND dlg, int id);

}

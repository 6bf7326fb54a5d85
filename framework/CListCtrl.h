// A list-view control of a dialog, in report view: columns, rows with a check box each, and
// the item texts and states, through the wide API.
#pragma once
#include "CWnd.h"
#include <string>

class CListCtrl : public CWnd {
public:
    DWORD SetExtendedStyle(DWORD exStyle);
    int InsertColumn(int column, const std::wstring& heading, int format, int width);
    int GetColumnWidth(int column) const;
    BOOL SetColumnWidth(int column, int width);
    // The arrow in a column's heading: up, down, or none when `ascending` is neither.
    void SetSortArrow(int column, int direction);  // 1 up, -1 down, 0 none

    int GetItemCount() const;
    BOOL DeleteAllItems();
    int InsertItem(int item, const std::wstring& text, LPARAM data);
    BOOL SetItemText(int item, int subItem, const std::wstring& text);
    std::wstring GetItemText(int item, int subItem) const;
    LPARAM GetItemData(int item) const;
    BOOL GetCheck(int item) const;
    BOOL SetCheck(int item, BOOL check = TRUE);
    // The next item after `start` (-1: from the first) with the LVNI_ flags.
    int GetNextItem(int start, UINT flags) const;
    void SetRedraw(BOOL redraw);
};

// A list-view control of a dialog, in report view: columns, rows with a check box each, and
// the item texts and states, through the wide API.
#pragma once
#include "CWnd.h"
#include <string>
#include <vector>

class CListCtrl : public CWnd {
public:
    DWORD SetExtendedStyle(DWORD exStyle);
    int InsertColumn(int column, const std::wstring& heading, int format, int width);
    int GetColumnWidth(int column) const;
    BOOL SetColumnWidth(int column, int width);
    // The width of a text in the control's font, in pixels.
    int GetStringWidth(const std::wstring& text) const;
    // The arrow in a column's heading: 1 up, -1 down, 0 none.
    void SetSortArrow(int column, int direction);

    int GetItemCount() const;
    BOOL DeleteAllItems();
    // `image`: its place in the small image list (SetSmallImages), or I_IMAGENONE; -1: not given.
    int InsertItem(int item, const std::wstring& text, LPARAM data, int image = -1);
    // The same in a group (EnableGroupView).
    int InsertItemInGroup(int item, const std::wstring& text, LPARAM data, int groupId, int image = -1);
    // The images of the first column; the list destroys them when it goes.
    void SetSmallImages(HIMAGELIST images);
    void SetItemImage(int item, int image);
    // A column's heading.
    void SetColumnHeading(int column, const std::wstring& heading);
    // Groups of rows under headings of their own: true when the control shows them (Wine's
    // list view takes the messages and shows none).
    bool EnableGroupView(bool enable);
    void RemoveAllGroups();
    BOOL InsertGroup(int groupId, const std::wstring& heading);
    // An item without a check box.
    void RemoveCheckBox(int item);
    BOOL SetItemText(int item, int subItem, const std::wstring& text);
    LPARAM GetItemData(int item) const;
    BOOL GetCheck(int item) const;
    BOOL SetCheck(int item, BOOL check = TRUE);
    void SetRedraw(BOOL redraw);
    // The items highlighted, in the order shown.
    std::vector<int> GetSelectedItems() const;
    // The focused item (-1 for none), and an item's rectangle in the control's client area.
    int GetFocusedItem() const;
    BOOL GetItemRect(int item, RECT* rect) const;
};

#include "CListCtrl.h"
#include <commctrl.h>

DWORD CListCtrl::SetExtendedStyle(DWORD exStyle)
{
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, exStyle));
}

int CListCtrl::InsertColumn(int column, const std::wstring& heading, int format, int width)
{
    LVCOLUMNW col = {};
    col.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
    col.fmt = format;
    col.cx = width;
    col.pszText = const_cast<wchar_t*>(heading.c_str());
    col.iSubItem = column;
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&col)));
}

int CListCtrl::GetColumnWidth(int column) const { return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, column)); }

BOOL CListCtrl::SetColumnWidth(int column, int width)
{
    return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0)));
}

std::vector<int> CListCtrl::GetSelectedItems() const
{
    std::vector<int> items;
    for (int i = -1; (i = static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))) >= 0;)
        items.push_back(i);
    return items;
}

int CListCtrl::GetFocusedItem() const
{
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

BOOL CListCtrl::GetItemRect(int item, RECT* rect) const
{
    rect->left = LVIR_BOUNDS;
    return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(rect)));
}

void CListCtrl::SetSortArrow(int column, int direction)
{
    HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    if (!header)
        return;
    int count = static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        HDITEMW item = {};
        item.mask = HDI_FORMAT;
        ::SendMessageW(header, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == column && direction)
            item.fmt |= direction > 0 ? HDF_SORTUP : HDF_SORTDOWN;
        ::SendMessageW(header, HDM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
}

int CListCtrl::GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }

BOOL CListCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }

int CListCtrl::InsertItem(int item, const std::wstring& text, LPARAM data, int image)
{
    LVITEMW it = {};
    it.mask = LVIF_TEXT | LVIF_PARAM | (image != -1 ? LVIF_IMAGE : 0);
    it.iItem = item;
    it.pszText = const_cast<wchar_t*>(text.c_str());
    it.lParam = data;
    it.iImage = image;
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it)));
}

int CListCtrl::InsertItemInGroup(int item, const std::wstring& text, LPARAM data, int groupId, int image)
{
    LVITEMW it = {};
    it.mask = LVIF_TEXT | LVIF_PARAM | LVIF_GROUPID | (image != -1 ? LVIF_IMAGE : 0);
    it.iItem = item;
    it.pszText = const_cast<wchar_t*>(text.c_str());
    it.lParam = data;
    it.iGroupId = groupId;
    it.iImage = image;
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it)));
}

void CListCtrl::SetSmallImages(HIMAGELIST images)
{
    SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

void CListCtrl::SetItemImage(int item, int image)
{
    LVITEMW it = {};
    it.mask = LVIF_IMAGE;
    it.iItem = item;
    it.iImage = image;
    SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
}

void CListCtrl::SetColumnHeading(int column, const std::wstring& heading)
{
    LVCOLUMNW c = {};
    c.mask = LVCF_TEXT;
    c.pszText = const_cast<wchar_t*>(heading.c_str());
    SendMessage(LVM_SETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&c));
}

bool CListCtrl::EnableGroupView(bool enable)
{
    SendMessage(LVM_ENABLEGROUPVIEW, enable ? TRUE : FALSE, 0);
    return SendMessage(LVM_ISGROUPVIEWENABLED, 0, 0) != 0;
}

void CListCtrl::RemoveAllGroups() { SendMessage(LVM_REMOVEALLGROUPS, 0, 0); }

BOOL CListCtrl::InsertGroup(int groupId, const std::wstring& heading)
{
    LVGROUP g = {};
    g.cbSize = sizeof(g);
    g.mask = LVGF_HEADER | LVGF_GROUPID;
    g.pszHeader = const_cast<wchar_t*>(heading.c_str());
    g.iGroupId = groupId;
    return SendMessage(LVM_INSERTGROUP, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&g)) != -1;
}

void CListCtrl::RemoveCheckBox(int item)
{
    LVITEMW it = {};
    it.stateMask = LVIS_STATEIMAGEMASK;
    it.state = 0;
    SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
}

BOOL CListCtrl::SetItemText(int item, int subItem, const std::wstring& text)
{
    LVITEMW it = {};
    it.iSubItem = subItem;
    it.pszText = const_cast<wchar_t*>(text.c_str());
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTW, item, reinterpret_cast<LPARAM>(&it)));
}

LPARAM CListCtrl::GetItemData(int item) const
{
    LVITEMW it = {};
    it.mask = LVIF_PARAM;
    it.iItem = item;
    SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    return it.lParam;
}

BOOL CListCtrl::GetCheck(int item) const
{
    UINT state = static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK));
    return ((state >> 12) - 1) == 1;
}

BOOL CListCtrl::SetCheck(int item, BOOL check)
{
    LVITEMW it = {};
    it.stateMask = LVIS_STATEIMAGEMASK;
    it.state = INDEXTOSTATEIMAGEMASK(check ? 2 : 1);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&it)));
}

void CListCtrl::SetRedraw(BOOL redraw)
{
    SendMessage(WM_SETREDRAW, redraw);
    if (redraw)
        InvalidateRect(m_hWnd, nullptr, TRUE);
}

int CListCtrl::GetStringWidth(const std::wstring& text) const
{
    return static_cast<int>(::SendMessageW(m_hWnd, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

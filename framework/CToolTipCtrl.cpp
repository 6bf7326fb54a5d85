#include "CToolTipCtrl.h"
#include <commctrl.h>

namespace {
TTTOOLINFOW ToolInfo(HWND tool, UINT_PTR id)
{
    TTTOOLINFOW ti = {};
    ti.cbSize = sizeof(ti);
    ti.hwnd = tool;
    ti.uId = id;
    return ti;
}
}

CToolTipCtrl::~CToolTipCtrl()
{
    if (m_hWnd && IsWindow(m_hWnd))
        DestroyWindow(m_hWnd);
}

BOOL CToolTipCtrl::Create(HWND parent, DWORD style)
{
    m_hWnd = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    return m_hWnd != nullptr;
}

BOOL CToolTipCtrl::AddTool(HWND tool, const std::wstring& text, const RECT& rect, UINT id)
{
    TTTOOLINFOW ti = ToolInfo(tool, id);
    ti.uFlags = 0;
    ti.rect = rect;
    ti.lpszText = const_cast<wchar_t*>(text.c_str());
    return static_cast<BOOL>(SendMessageW(m_hWnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
}

BOOL CToolTipCtrl::AddWindowTool(HWND parent, HWND tool, const std::wstring& text, int maxWidth)
{
    TTTOOLINFOW ti = ToolInfo(parent, reinterpret_cast<UINT_PTR>(tool));
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(m_hWnd, TTM_SETMAXTIPWIDTH, 0, maxWidth);
    return static_cast<BOOL>(SendMessageW(m_hWnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::UpdateWindowTipText(HWND parent, HWND tool, const std::wstring& text)
{
    TTTOOLINFOW ti = ToolInfo(parent, reinterpret_cast<UINT_PTR>(tool));
    ti.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(m_hWnd, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(const std::wstring& text, HWND tool, UINT id)
{
    TTTOOLINFOW ti = ToolInfo(tool, id);
    ti.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(m_hWnd, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

std::wstring CToolTipCtrl::GetText(HWND tool, UINT id) const
{
    wchar_t buffer[1024] = {};
    TTTOOLINFOW ti = ToolInfo(tool, id);
    ti.lpszText = buffer;
    SendMessageW(m_hWnd, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&ti));
    return buffer;
}

void CToolTipCtrl::RelayEvent(const MSG* msg)
{
    if (m_hWnd)
        SendMessageW(m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}

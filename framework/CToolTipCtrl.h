// A tool tip window for the tools of one parent window.
#pragma once
#include "CWnd.h"
#include <string>

class CToolTipCtrl {
public:
    CToolTipCtrl() = default;
    ~CToolTipCtrl();
    CToolTipCtrl(const CToolTipCtrl&) = delete;
    CToolTipCtrl& operator=(const CToolTipCtrl&) = delete;

    BOOL Create(HWND parent, DWORD style = 0);
    BOOL AddTool(HWND tool, const std::wstring& text, const RECT& rect, UINT id);
    // A tip over the whole of a child window, which the tip watches by itself (a static needs
    // SS_NOTIFY to see the mouse); its text wraps at `maxWidth` pixels.
    BOOL AddWindowTool(HWND parent, HWND tool, const std::wstring& text, int maxWidth);
    void UpdateWindowTipText(HWND parent, HWND tool, const std::wstring& text);
    void UpdateTipText(const std::wstring& text, HWND tool, UINT id);
    std::wstring GetText(HWND tool, UINT id) const;
    // Hands a mouse message of the tool to the tip, which decides when to show itself.
    void RelayEvent(const MSG* msg);
    HWND m_hWnd = nullptr;
};

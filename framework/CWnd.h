// A window object bound to a window handle; dispatches the window's messages through its
// message map and reflects notifications and colour requests back to child controls.
#pragma once
#include "MessageMap.h"
#include <string>

class CDataExchange;

class CWnd {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object attached to a handle by this framework, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Takes over an existing window: PreSubclassWindow runs, then the window's procedure
    // is replaced by ours; the old one receives what we leave to the default.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    HWND GetDlgItem(int nID) const;
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    std::wstring GetWindowText() const;
    // The text of any window, and its extent on one line in the given font.
    static std::wstring WindowTextOf(HWND hWnd);
    static SIZE TextExtentOf(HWND hWnd, HFONT font, const std::wstring& text);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL IsIconic() const;
    void GetClientRect(RECT* rect) const;
    void CenterWindow(HWND hWndAlternateOwner = nullptr);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    virtual void PreSubclassWindow();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Called on the child for a notification its parent received; true when the child took it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Lets the window's previous procedure handle the message being dispatched.
    LRESULT Default();
    virtual void PostNcDestroy() {}

    void Attach(HWND hWnd);
    HWND Detach();

    static LRESULT CALLBACK StdWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The one place where exceptions from handlers stop: reported, never passed to the system.
    static LRESULT GuardedDispatch(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_pfnSuper = nullptr;

private:
    static const AFX_MSGMAP_ENTRY* FindEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id);
    static LRESULT Invoke(CWnd* target, const AFX_MSGMAP_ENTRY* entry, WPARAM wParam, LPARAM lParam,
                          bool* handled);
    MSG m_currentMsg = {};
};

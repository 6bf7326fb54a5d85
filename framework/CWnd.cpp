#include "CWnd.h"
#include "AfxMessageBox.h"
#include "CDataExchange.h"
#include "CUserException.h"
#include "CWinApp.h"
#include "FrameworkIds.h"
#include <commctrl.h>
#include <new>
#include <unordered_map>

namespace {
// One user-interface thread: a plain map from handle to object is enough.
std::unordered_map<HWND, CWnd*>& HandleMap()
{
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}
}

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_hWnd && m_pfnSuper)
        UnsubclassWindow();
    else if (m_hWnd)
        Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    auto it = HandleMap().find(hWnd);
    return it == HandleMap().end() ? nullptr : it->second;
}

void CWnd::Attach(HWND hWnd)
{
    m_hWnd = hWnd;
    HandleMap()[hWnd] = this;
}

HWND CWnd::Detach()
{
    HWND h = m_hWnd;
    if (h)
        HandleMap().erase(h);
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || m_hWnd || FromHandlePermanent(hWnd))
        return FALSE;
    Attach(hWnd);
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StdWndProc)));
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    return SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper && m_hWnd)
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

void CWnd::PreSubclassWindow() {}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        // Already reported to the user by the failing exchange.
        return FALSE;
    }
    return TRUE;
}

HWND CWnd::GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }

std::wstring CWnd::GetWindowText() const { return WindowTextOf(m_hWnd); }

std::wstring CWnd::WindowTextOf(HWND hWnd)
{
    int len = GetWindowTextLengthW(hWnd);
    std::wstring text(static_cast<size_t>(len) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(hWnd, &text[0], len + 1)));
    return text;
}

SIZE CWnd::TextExtentOf(HWND hWnd, HFONT font, const std::wstring& text)
{
    SIZE extent = {};
    HDC dc = GetDC(hWnd);
    HGDIOBJ previous = SelectObject(dc, font);
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(hWnd, dc);
    return extent;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }

void CWnd::GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }

void CWnd::CenterWindow(HWND hWndAlternateOwner)
{
    HWND owner = hWndAlternateOwner ? hWndAlternateOwner : ::GetWindow(m_hWnd, GW_OWNER);
    if (owner && (!IsWindowVisible(owner) || ::IsIconic(owner)))
        owner = nullptr;
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    GetMonitorInfoW(MonitorFromWindow(owner ? owner : m_hWnd, MONITOR_DEFAULTTOPRIMARY), &mi);
    RECT area = mi.rcWork;
    RECT center = area;
    if (owner)
        GetWindowRect(owner, &center);
    RECT self;
    GetWindowRect(m_hWnd, &self);
    int w = self.right - self.left, h = self.bottom - self.top;
    int x = (center.left + center.right) / 2 - w / 2;
    int y = (center.top + center.bottom) / 2 - h / 2;
    // Keep the whole window inside the work area.
    if (x + w > area.right) x = area.right - w;
    if (y + h > area.bottom) y = area.bottom - h;
    if (x < area.left) x = area.left;
    if (y < area.top) y = area.top;
    SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, nullptr } };
    static const AFX_MSGMAP map = { nullptr, &entries[0] };
    return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CWnd::FindEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id)
{
    bool reflected = message >= WM_REFLECT_BASE;
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfnThunk; ++e) {
            if (e->nMessage != message || e->nCode != code)
                continue;
            if (reflected || e->nID == id)
                return e;
        }
    }
    return nullptr;
}

LRESULT CWnd::Invoke(CWnd* target, const AFX_MSGMAP_ENTRY* e, WPARAM wParam, LPARAM lParam, bool* handled)
{
    *handled = true;
    return e->pfnThunk(target, wParam, lParam, handled);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    UINT code = 0;
    LPARAM param = lParam;
    WPARAM wparam = wParam;
    switch (message) {
    case WM_COMMAND:
        code = HIWORD(wParam);
        break;
    case WM_NOTIFY:
        code = reinterpret_cast<NMHDR*>(lParam)->code;
        break;
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
        // All colour requests reach the child as one message carrying the control type.
        param = message - WM_CTLCOLORMSGBOX;
        message = WM_CTLCOLOR;
        break;
    default:
        return FALSE;
    }
    const AFX_MSGMAP_ENTRY* e = FindEntry(GetMessageMap(), WM_REFLECT_BASE + message, code, 0);
    if (!e)
        return FALSE;
    bool handled = false;
    LRESULT result = Invoke(this, e, wparam, param, &handled);
    if (handled && pResult)
        *pResult = result;
    return handled;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    UINT code = 0, id = 0;
    HWND child = nullptr;
    switch (message) {
    case WM_COMMAND:
        code = HIWORD(wParam);
        id = LOWORD(wParam);
        child = reinterpret_cast<HWND>(lParam);
        // A menu item and an accelerator key (code 1) give the same command.
        if (!child)
            code = 0;
        break;
    case WM_NOTIFY: {
        const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
        code = hdr->code;
        id = static_cast<UINT>(hdr->idFrom);
        child = hdr->hwndFrom;
        break;
    }
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
        child = reinterpret_cast<HWND>(lParam);
        break;
    default:
        break;
    }
    // A control of ours gets the first say on what it reported.
    if (child && child != m_hWnd) {
        if (CWnd* pChild = FromHandlePermanent(child)) {
            if (pChild->OnChildNotify(message, wParam, lParam, pResult))
                return TRUE;
        }
    }
    const AFX_MSGMAP_ENTRY* e = FindEntry(GetMessageMap(), message, code, id);
    if (!e)
        return FALSE;
    bool handled = false;
    LRESULT result = Invoke(this, e, wParam, lParam, &handled);
    if (handled)
        *pResult = result;
    return handled;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // While the program is busy, its windows show the wait cursor, whatever they show otherwise.
    if (message == WM_SETCURSOR) {
        CWinApp* app = AfxGetApp();
        if (app && app->m_nWaitCursorCount > 0) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
    }
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = Default();
    return result;
}

LRESULT CWnd::Default()
{
    const MSG& m = m_currentMsg;
    if (m_pfnSuper)
        return CallWindowProcW(m_pfnSuper, m_hWnd, m.message, m.wParam, m.lParam);
    return DefWindowProcW(m_hWnd, m.message, m.wParam, m.lParam);
}

LRESULT CWnd::GuardedDispatch(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG saved = pWnd->m_currentMsg;
    pWnd->m_currentMsg = { hWnd, message, wParam, lParam, 0, {} };
    LRESULT result = 0;
    UINT failure = 0;
    try {
        result = pWnd->WindowProc(message, wParam, lParam);
    } catch (const std::bad_alloc&) {
        failure = AFX_IDP_OUT_OF_MEMORY;
    } catch (const CUserException&) {
        // Reported where it was raised.
    } catch (...) {
        failure = AFX_IDP_INTERNAL_FAILURE;
    }
    pWnd->m_currentMsg = saved;
    if (failure) {
        // Reporting may itself run short of memory; it must not throw out of here either.
        try {
            AfxMessageBox(failure, MB_ICONEXCLAMATION);
        } catch (...) {
            MessageBeep(MB_ICONEXCLAMATION);
        }
    }
    return result;
}

LRESULT CALLBACK CWnd::StdWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (!pWnd)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    WNDPROC super = pWnd->m_pfnSuper;
    LRESULT result = GuardedDispatch(pWnd, hWnd, message, wParam, lParam);
    if (message == WM_NCDESTROY && FromHandlePermanent(hWnd) == pWnd) {
        // The window is gone: hand its procedure back and forget the handle.
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
        pWnd->m_pfnSuper = nullptr;
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }
    return result;
}

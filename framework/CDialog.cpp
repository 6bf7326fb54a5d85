#include "CDialog.h"
#include "ResourceLanguage.h"
#include "CWinApp.h"
#include <algorithm>
#include <vector>

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

namespace {
// The template's place and size in dialog units (both template forms).
RECT TemplateRect(const void* tmpl)
{
    const WORD* w = static_cast<const WORD*>(tmpl);
    short xycxcy[4];
    if (w[0] == 1 && w[1] == 0xFFFF) {
        // DLGTEMPLATEEX: dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy
        memcpy(xycxcy, static_cast<const BYTE*>(tmpl) + 2 + 2 + 4 + 4 + 4 + 2, sizeof xycxcy);
    } else {
        const DLGTEMPLATE* t = static_cast<const DLGTEMPLATE*>(tmpl);
        xycxcy[0] = t->x, xycxcy[1] = t->y, xycxcy[2] = t->cx, xycxcy[3] = t->cy;
    }
    return { xycxcy[0], xycxcy[1], xycxcy[2], xycxcy[3] };
}
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog()
{
    if (m_hAccel)
        DestroyAcceleratorTable(m_hAccel);
}

void CDialog::SetAccelerators(const ACCEL* keys, int count)
{
    if (m_hAccel)
        DestroyAcceleratorTable(m_hAccel);
    m_hAccel = CreateAcceleratorTableW(const_cast<ACCEL*>(keys), count);
}

namespace {
// The innermost dialog running modal, and the hook that shows it its messages. Dialogs run on
// the program's one window thread (work on other threads makes no window).
CDialog* t_modal = nullptr;
HHOOK t_filter = nullptr;
}

// The dialog manager asks the message filter before it takes a key itself (Windows and Wine
// alike): the way a modal dialog sees its keyboard messages first.
LRESULT CALLBACK CDialog::MessageFilter(int code, WPARAM wParam, LPARAM lParam)
{
    MSG* msg = reinterpret_cast<MSG*>(lParam);
    CDialog* dlg = t_modal;
    if (code == MSGF_DIALOGBOX && msg && dlg && dlg->m_hWnd &&
        (msg->hwnd == dlg->m_hWnd || IsChild(dlg->m_hWnd, msg->hwnd))) {
        BOOL taken = FALSE;
        try {
            taken = dlg->PreTranslateMessage(msg);
        } catch (...) {
            // Never out of a hook: the key goes on to the dialog manager.
            MessageBeep(MB_ICONEXCLAMATION);
        }
        if (taken)
            return 1;
    }
    return CallNextHookEx(t_filter, code, wParam, lParam);
}

SIZE CDialog::TemplateClientSize() const
{
    RECT r = { 0, 0, m_templateSize.cx, m_templateSize.cy };
    MapDialogRect(m_hWnd, &r);
    return { r.right, r.bottom };
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    return m_hAccel && TranslateAcceleratorW(m_hWnd, m_hAccel, pMsg);
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE inst = AfxGetResourceHandle();
    HRSRC res = ResourceLanguage::Find(inst, RT_DIALOG, MAKEINTRESOURCEW(m_nIDTemplate));
    HGLOBAL mem = res ? LoadResource(inst, res) : nullptr;
    const void* tmpl = mem ? LockResource(mem) : nullptr;
    if (!tmpl)
        return -1;
    // A template placed at 0,0 asks to be centred.
    const RECT placed = TemplateRect(tmpl);
    m_bCenter = placed.left == 0 && placed.top == 0;
    m_templateSize = { placed.right, placed.bottom };

    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!owner) {
        CWnd* main = AfxGetMainWnd();
        if (main && main != this && main->m_hWnd)
            owner = GetLastActivePopup(main->m_hWnd);
    }
    m_pOuterModal = t_modal;
    t_modal = this;
    const bool hooked = !t_filter;
    if (hooked)
        t_filter = SetWindowsHookExW(WH_MSGFILTER, &CDialog::MessageFilter, nullptr, GetCurrentThreadId());
    const INT_PTR result = DialogBoxIndirectParamW(inst, static_cast<LPCDLGTEMPLATEW>(tmpl), owner,
                                                   &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (hooked && t_filter) {
        UnhookWindowsHookEx(t_filter);
        t_filter = nullptr;
    }
    t_modal = m_pOuterModal;
    return result;
}

void CDialog::EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    // From here on every message passes through the dialog object first.
    CDialog* dlg = reinterpret_cast<CDialog*>(lParam);
    dlg->Attach(hWnd);
    dlg->m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StdWndProc)));
    return GuardedDispatch(dlg, hWnd, WM_INITDIALOG, 0, lParam);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return HandleInitDialog();
    LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE)
        DefaultButtonToFocus();
    return result;
}

// The default button follows the focus: a focused push button is the one that Enter presses.
// Wine's dialog manager leaves the default where it was when the focus reached a button by its
// access key or came back with the dialog's activation; moving the focus through the dialog
// manager once more puts it right, as Windows does.
void CDialog::DefaultButtonToFocus()
{
    HWND focus = ::GetFocus();
    if (!focus || !IsChild(m_hWnd, focus))
        return;
    LRESULT code = ::SendMessageW(focus, WM_GETDLGCODE, 0, 0);
    if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
}

BOOL CDialog::HandleInitDialog()
{
    BOOL focusDefault = OnInitDialog();
    if (m_bCenter)
        CenterWindow();
    return focusDefault;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::WidenStaticTexts()
{
    std::vector<HWND> children;
    EnumChildWindows(m_hWnd, [](HWND child, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&children));
    auto rectOf = [this](HWND child) {
        RECT rc;
        GetWindowRect(child, &rc);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    };
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    for (HWND text : children) {
        wchar_t cls[16] = {};
        GetClassNameW(text, cls, 16);
        LONG style = GetWindowLongW(text, GWL_STYLE);
        if (lstrcmpiW(cls, L"Static") != 0 || (GetDlgCtrlID(text) & 0xFFFF) != 0xFFFF ||
            (style & SS_TYPEMASK) != SS_LEFT)
            continue;
        std::wstring caption = WindowTextOf(text);
        if (caption.find(L'\n') != std::wstring::npos)
            continue;
        RECT box = rectOf(text);
        // Measured as the control draws it: an "&" marks the access key and takes no room.
        RECT needed = {};
        HDC dc = GetDC(text);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(text, WM_GETFONT, 0, 0)));
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &needed,
                  DT_CALCRECT | DT_SINGLELINE | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0));
        SelectObject(dc, old);
        ReleaseDC(text, dc);
        if (needed.right <= box.right - box.left)
            continue;
        LONG limit = client.right;
        for (HWND other : children) {
            if (other == text || !IsWindowVisible(other))
                continue;
            RECT rc = rectOf(other);
            if (rc.top < box.bottom && rc.bottom > box.top && rc.left >= box.right)
                limit = std::min(limit, rc.left);
        }
        LONG width = std::min<LONG>(needed.right, limit - box.left);
        if (width > box.right - box.left)
            SetWindowPos(text, nullptr, 0, 0, width, box.bottom - box.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

#include "CLinkLabel.h"
#include "ShellErrors.h"
#include "LabelFit.h"
#include "LinkCommand.h"
#include "LinkMessages.h"
#include "../framework/AfxMessageBox.h"
#include "../text/AnsiText.h"
#include <shellapi.h>
#include <vector>

BEGIN_MESSAGE_MAP(CLinkLabel, CHoverStatic)
    ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

namespace {
const UINT kToolId = 1;
const size_t kValueSize = 260;

bool IsLeadByte(unsigned char b) { return IsDBCSLeadByte(b) != FALSE; }
std::wstring LoadText(unsigned id) { return AfxLoadString(id); }
}

CLinkLabel::CLinkLabel() : m_crHover(GetSysColor(COLOR_HIGHLIGHT)) {}

CLinkLabel::~CLinkLabel() { m_font.DeleteObject(); }

void CLinkLabel::SetTarget(std::string target)
{
    m_strTarget = std::move(target);
    if (WindowExists()) {
        FitToText();
        m_tip.UpdateTipText(AnsiText::ToWide(m_strTarget), m_hWnd, kToolId);
    }
}

std::string CLinkLabel::GetTarget() const { return m_strTarget; }

void CLinkLabel::SetTextColors(COLORREF normal, COLORREF visited, COLORREF hover)
{
    m_crNormal = normal;
    m_crVisited = visited;
    m_crHover = hover == static_cast<COLORREF>(-1) ? GetSysColor(COLOR_HIGHLIGHT) : hover;
    if (WindowExists())
        InvalidateRect(m_hWnd, nullptr, TRUE);
}

COLORREF CLinkLabel::GetNormalTextColor() const { return m_crNormal; }
COLORREF CLinkLabel::GetVisitedTextColor() const { return m_crVisited; }
COLORREF CLinkLabel::GetHoverTextColor() const { return m_crHover; }

void CLinkLabel::MarkVisited(BOOL visited)
{
    m_bVisited = visited;
    if (WindowExists())
        InvalidateRect(m_hWnd, nullptr, TRUE);
}

BOOL CLinkLabel::IsVisited() const { return m_bVisited; }

void CLinkLabel::SetHoverCursor(HCURSOR cursor)
{
    if (m_hCursor && m_hCursor != cursor)
        DestroyCursor(m_hCursor);
    m_hCursor = cursor;
    if (!m_hCursor)
        LoadDefaultCursor();
}

HCURSOR CLinkLabel::GetHoverCursor() const { return m_hCursor; }

void CLinkLabel::SetUnderlined(BOOL underlined)
{
    m_bUnderlined = underlined;
    if (WindowExists()) {
        BuildFont();
        InvalidateRect(m_hWnd, nullptr, TRUE);
    }
}

BOOL CLinkLabel::IsUnderlined() const { return m_bUnderlined; }

void CLinkLabel::SetAutoFit(BOOL fit)
{
    m_bAutoFit = fit;
    if (WindowExists())
        FitToText();
}

BOOL CLinkLabel::IsAutoFit() const { return m_bAutoFit; }

std::wstring CLinkLabel::GetTipText() const { return m_tip.GetText(m_hWnd, kToolId); }

void CLinkLabel::PreSubclassWindow()
{
    SetWindowLongW(m_hWnd, GWL_STYLE, GetWindowLongW(m_hWnd, GWL_STYLE) | SS_NOTIFY);
    std::wstring text = GetWindowText();
    if (m_strTarget.empty())
        m_strTarget = AnsiText::FromWide(text);
    if (text.empty())
        SetWindowTextW(m_hWnd, AnsiText::ToWide(m_strTarget).c_str());
    BuildFont();
    FitToText();
    LoadDefaultCursor();
    RECT rc;
    GetClientRect(&rc);
    m_tip.Create(m_hWnd, 0);
    m_tip.AddTool(m_hWnd, AnsiText::ToWide(m_strTarget), rc, kToolId);
    CHoverStatic::PreSubclassWindow();
}

void CLinkLabel::BuildFont()
{
    HFONT current = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    LOGFONTW lf = {};
    if (!current || !GetObjectW(current, sizeof(lf), &lf))
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    lf.lfUnderline = static_cast<BYTE>(m_bUnderlined ? 1 : 0);
    // The new font is in place before the old one goes: the window never holds a dead font.
    HFONT old = m_font.GetSafeHandle();
    HFONT fresh = CreateFontIndirectW(&lf);
    if (!fresh)
        return;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(fresh), TRUE);
    if (old)
        DeleteObject(old);
    m_font.Adopt(fresh);
}

void CLinkLabel::FitToText()
{
    if (!WindowExists() || !m_bAutoFit)
        return;
    RECT rc;
    GetWindowRect(m_hWnd, &rc);
    if (HWND parent = GetParent(m_hWnd))
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    SIZE extent = TextExtentOf(m_hWnd, m_font.GetSafeHandle(), GetWindowText());
    LabelFit::Rect fitted = LabelFit::Fit({ rc.left, rc.top, rc.right, rc.bottom }, extent.cx, extent.cy,
                                          static_cast<unsigned>(GetWindowLongW(m_hWnd, GWL_STYLE)), true);
    SetWindowPos(m_hWnd, nullptr, fitted.left, fitted.top, fitted.right - fitted.left, fitted.bottom - fitted.top,
                 SWP_NOZORDER);
}

LRESULT CLinkLabel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The tool tip learns of the mouse from the label itself.
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        MSG msg = { m_hWnd, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {} };
        GetCursorPos(&msg.pt);
        m_tip.RelayEvent(&msg);
    }
    return CHoverStatic::WindowProc(message, wParam, lParam);
}

void CLinkLabel::OnClicked()
{
    INT_PTR result = OpenTarget(m_strTarget.c_str(), SW_SHOW);
    m_bVisited = OpenSucceeded(result);
    if (m_bVisited) {
        MarkVisited(TRUE);
    } else {
        MessageBeep(MB_ICONEXCLAMATION);
        ReportOpenError(static_cast<int>(result));
    }
}

HBRUSH CLinkLabel::CtlColor(HDC hDC, UINT)
{
    SetTextColor(hDC, m_bHovering ? m_crHover : m_bVisited ? m_crVisited : m_crNormal);
    SetBkMode(hDC, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

INT_PTR CLinkLabel::OpenTarget(const char* target, int showCommand)
{
    INT_PTR result = reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", target, nullptr, nullptr, showCommand));
    if (OpenSucceeded(result))
        return result;
    char buffer[LinkCommand::kBufferSize];
    if (ReadDefaultValue(HKEY_CLASSES_ROOT, ".htm", buffer) != ERROR_SUCCESS)
        return result;
    std::string key = std::string(buffer) + "\\shell\\open\\command";
    if (ReadDefaultValue(HKEY_CLASSES_ROOT, key.c_str(), buffer) != ERROR_SUCCESS)
        return result;
    std::string line;
    if (!LinkCommand::Build(buffer, target, IsLeadByte, &line))
        return 0;
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 0;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // Only whether it succeeded is made of it: a small handle value must still say success.
    INT_PTR handle = reinterpret_cast<INT_PTR>(pi.hProcess);
    return OpenSucceeded(handle) ? handle : kHighestOpenError + 1;
}

void CLinkLabel::ReportOpenError(int code)
{
    AfxMessageBox(LinkMessages::Text(code, LoadText).c_str(), MB_OK | MB_ICONEXCLAMATION, 0);
}

LONG CLinkLabel::ReadDefaultValue(HKEY root, const char* keyPath, char* destination)
{
    HKEY key = nullptr;
    LONG opened = RegOpenKeyExA(root, keyPath, 0, KEY_QUERY_VALUE, &key);
    if (opened != ERROR_SUCCESS)
        return opened;
    char value[kValueSize] = {};
    LONG size = static_cast<LONG>(sizeof(value));
    // Absent or too long: an empty string.
    if (RegQueryValueA(key, nullptr, value, &size) != ERROR_SUCCESS)
        value[0] = '\0';
    value[kValueSize - 1] = '\0';
    lstrcpynA(destination, value, static_cast<int>(kValueSize));
    RegCloseKey(key);
    return ERROR_SUCCESS;
}

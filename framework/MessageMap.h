// Message maps: tables of (message, notification code, control id, handler) walked from the
// most derived class to its bases, as the dialogs in app/ and controls/ declare them.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <type_traits>

class CWnd;

// Messages a parent reflects back to the child control they came from.
constexpr UINT WM_REFLECT_BASE = 0xBC00;
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

// An entry calls its handler through a function made for it from the handler's own type: the
// compiler checks each handler's signature, and no member pointer is ever cast.
using AFX_THUNK = LRESULT (*)(CWnd* target, WPARAM wParam, LPARAM lParam, bool* handled);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    AFX_THUNK pfnThunk;  // null ends the table
};

namespace AfxThunk {
template <class>
struct ClassOf;
template <class C, class R, class... A>
struct ClassOf<R (C::*)(A...)> {
    using type = C;
};

// The handler's object: the window the message came to, as the class that declares the handler.
template <auto Fn>
auto* Target(CWnd* wnd)
{
    return static_cast<typename ClassOf<decltype(Fn)>::type*>(wnd);
}

// void ()
template <auto Fn>
LRESULT vv(CWnd* wnd, WPARAM, LPARAM, bool*)
{
    static_assert(std::is_same_v<decltype(Fn), void (ClassOf<decltype(Fn)>::type::*)()>, "handler: void ()");
    (Target<Fn>(wnd)->*Fn)();
    return 0;
}
// BOOL (): reflected; FALSE passes the message on to the parent.
template <auto Fn>
LRESULT bv(CWnd* wnd, WPARAM, LPARAM, bool* handled)
{
    static_assert(std::is_same_v<decltype(Fn), BOOL (ClassOf<decltype(Fn)>::type::*)()>, "handler: BOOL ()");
    *handled = (Target<Fn>(wnd)->*Fn)() != FALSE;
    return 0;
}
// void (NMHDR*, LRESULT*)
template <auto Fn>
LRESULT vNMHDRpl(CWnd* wnd, WPARAM, LPARAM lParam, bool*)
{
    static_assert(std::is_same_v<decltype(Fn), void (ClassOf<decltype(Fn)>::type::*)(NMHDR*, LRESULT*)>,
                  "handler: void (NMHDR*, LRESULT*)");
    LRESULT result = 0;
    (Target<Fn>(wnd)->*Fn)(reinterpret_cast<NMHDR*>(lParam), &result);
    return result;
}
// HCURSOR ()
template <auto Fn>
LRESULT hv(CWnd* wnd, WPARAM, LPARAM, bool*)
{
    static_assert(std::is_same_v<decltype(Fn), HCURSOR (ClassOf<decltype(Fn)>::type::*)()>, "handler: HCURSOR ()");
    return reinterpret_cast<LRESULT>((Target<Fn>(wnd)->*Fn)());
}
// BOOL (HWND, UINT hit-test, UINT message)
template <auto Fn>
LRESULT bHww(CWnd* wnd, WPARAM wParam, LPARAM lParam, bool*)
{
    static_assert(std::is_same_v<decltype(Fn), BOOL (ClassOf<decltype(Fn)>::type::*)(HWND, UINT, UINT)>,
                  "handler: BOOL (HWND, UINT, UINT)");
    return (Target<Fn>(wnd)->*Fn)(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));
}
// void (UINT flags, POINT)
template <auto Fn>
LRESULT vwp(CWnd* wnd, WPARAM wParam, LPARAM lParam, bool*)
{
    static_assert(std::is_same_v<decltype(Fn), void (ClassOf<decltype(Fn)>::type::*)(UINT, POINT)>,
                  "handler: void (UINT, POINT)");
    POINT pt = { static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)) };
    (Target<Fn>(wnd)->*Fn)(static_cast<UINT>(wParam), pt);
    return 0;
}
// void (UINT, LPARAM)
template <auto Fn>
LRESULT vwl(CWnd* wnd, WPARAM wParam, LPARAM lParam, bool*)
{
    static_assert(std::is_same_v<decltype(Fn), void (ClassOf<decltype(Fn)>::type::*)(UINT, LPARAM)>,
                  "handler: void (UINT, LPARAM)");
    (Target<Fn>(wnd)->*Fn)(static_cast<UINT>(wParam), lParam);
    return 0;
}
// void (UINT type, int cx, int cy)
template <auto Fn>
LRESULT vuii(CWnd* wnd, WPARAM wParam, LPARAM lParam, bool*)
{
    static_assert(std::is_same_v<decltype(Fn), void (ClassOf<decltype(Fn)>::type::*)(UINT, int, int)>,
                  "handler: void (UINT, int, int)");
    (Target<Fn>(wnd)->*Fn)(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    return 0;
}
// void (MINMAXINFO*)
template <auto Fn>
LRESULT vMinMax(CWnd* wnd, WPARAM, LPARAM lParam, bool*)
{
    static_assert(std::is_same_v<decltype(Fn), void (ClassOf<decltype(Fn)>::type::*)(MINMAXINFO*)>,
                  "handler: void (MINMAXINFO*)");
    (Target<Fn>(wnd)->*Fn)(reinterpret_cast<MINMAXINFO*>(lParam));
    return 0;
}
// LRESULT (WPARAM, LPARAM)
template <auto Fn>
LRESULT lwl(CWnd* wnd, WPARAM wParam, LPARAM lParam, bool*)
{
    static_assert(std::is_same_v<decltype(Fn), LRESULT (ClassOf<decltype(Fn)>::type::*)(WPARAM, LPARAM)>,
                  "handler: LRESULT (WPARAM, LPARAM)");
    return (Target<Fn>(wnd)->*Fn)(wParam, lParam);
}
// HBRUSH (HDC, UINT): reflected; no brush passes the message on.
template <auto Fn>
LRESULT hDu(CWnd* wnd, WPARAM wParam, LPARAM lParam, bool* handled)
{
    static_assert(std::is_same_v<decltype(Fn), HBRUSH (ClassOf<decltype(Fn)>::type::*)(HDC, UINT)>,
                  "handler: HBRUSH (HDC, UINT)");
    HBRUSH brush = (Target<Fn>(wnd)->*Fn)(reinterpret_cast<HDC>(wParam), static_cast<UINT>(lParam));
    *handled = brush != nullptr;
    return reinterpret_cast<LRESULT>(brush);
}
}

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                        \
protected:                                           \
    static const AFX_MSGMAP* GetThisMessageMap();    \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                       \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                   \
    {                                                                                 \
        typedef theClass ThisClass [[maybe_unused]];                                  \
        typedef baseClass TheBaseClass;                                               \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                              \
        { 0, 0, 0, nullptr } };                                                        \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap,      \
                                               &_messageEntries[0] };                  \
        return &messageMap;                                                           \
    }

#define ON_COMMAND(id, fn) { WM_COMMAND, 0, (UINT)(id), &AfxThunk::vv<&ThisClass::fn> },
#define ON_CONTROL(code, id, fn) { WM_COMMAND, (UINT)(code), (UINT)(id), &AfxThunk::vv<&ThisClass::fn> },
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_EN_UPDATE(id, fn) ON_CONTROL(EN_UPDATE, id, fn)
#define ON_STN_CLICKED(id, fn) ON_CONTROL(STN_CLICKED, id, fn)
#define ON_NOTIFY(code, id, fn) { WM_NOTIFY, (UINT)(code), (UINT)(id), &AfxThunk::vNMHDRpl<&ThisClass::fn> },
#define ON_CONTROL_REFLECT(code, fn) { WM_REFLECT_BASE + WM_COMMAND, (UINT)(code), 0, &AfxThunk::vv<&ThisClass::fn> },
#define ON_CONTROL_REFLECT_EX(code, fn) \
    { WM_REFLECT_BASE + WM_COMMAND, (UINT)(code), 0, &AfxThunk::bv<&ThisClass::fn> },
#define ON_WM_CTLCOLOR_REFLECT() { WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, &AfxThunk::hDu<&ThisClass::CtlColor> },
#define ON_WM_PAINT() { WM_PAINT, 0, 0, &AfxThunk::vv<&ThisClass::OnPaint> },
#define ON_WM_QUERYDRAGICON() { WM_QUERYDRAGICON, 0, 0, &AfxThunk::hv<&ThisClass::OnQueryDragIcon> },
#define ON_WM_SETCURSOR() { WM_SETCURSOR, 0, 0, &AfxThunk::bHww<&ThisClass::OnSetCursor> },
#define ON_WM_SYSCOMMAND() { WM_SYSCOMMAND, 0, 0, &AfxThunk::vwl<&ThisClass::OnSysCommand> },
#define ON_WM_MOUSEMOVE() { WM_MOUSEMOVE, 0, 0, &AfxThunk::vwp<&ThisClass::OnMouseMove> },
#define ON_WM_SIZE() { WM_SIZE, 0, 0, &AfxThunk::vuii<&ThisClass::OnSize> },
#define ON_WM_GETMINMAXINFO() { WM_GETMINMAXINFO, 0, 0, &AfxThunk::vMinMax<&ThisClass::OnGetMinMaxInfo> },
#define ON_MESSAGE(message, fn) { (UINT)(message), 0, 0, &AfxThunk::lwl<&ThisClass::fn> },
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)

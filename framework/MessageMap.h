// Message maps: tables of (message, notification code, control id, handler) walked from the
// most derived class to its bases, as the dialogs in app/ and controls/ declare them.
#pragma once
#include <windows.h>

class CWnd;

// Messages a parent reflects back to the child control they came from.
constexpr UINT WM_REFLECT_BASE = 0xBC00;
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

enum AfxSig : UINT_PTR {
    AfxSig_end = 0,
    AfxSig_vv,        // void ()
    AfxSig_bv,        // BOOL ()  (reflected, may pass on to the parent)
    AfxSig_vNMHDRpl,  // void (NMHDR*, LRESULT*)
    AfxSig_hv,        // HCURSOR ()
    AfxSig_bHww,      // BOOL (HWND, UINT, UINT)
    AfxSig_vwp,       // void (UINT, POINT)
    AfxSig_hDu,       // HBRUSH (HDC, UINT)
    AfxSig_vwl,       // void (UINT, LPARAM)
};

using AFX_PMSG = void (CWnd::*)();

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT_PTR nSig;
    AFX_PMSG pfn;
};

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
        { 0, 0, 0, AfxSig_end, nullptr } };                                            \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap,      \
                                               &_messageEntries[0] };                  \
        return &messageMap;                                                           \
    }

#define AFX_PMSG_CAST(sig, fn) reinterpret_cast<AFX_PMSG>(static_cast<sig>(fn))

#define ON_COMMAND(id, fn) \
    { WM_COMMAND, 0, (UINT)(id), AfxSig_vv, static_cast<AFX_PMSG>(&ThisClass::fn) },
#define ON_CONTROL(code, id, fn) \
    { WM_COMMAND, (UINT)(code), (UINT)(id), AfxSig_vv, static_cast<AFX_PMSG>(&ThisClass::fn) },
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_EN_UPDATE(id, fn) ON_CONTROL(EN_UPDATE, id, fn)
#define ON_STN_CLICKED(id, fn) ON_CONTROL(STN_CLICKED, id, fn)
#define ON_NOTIFY(code, id, fn)                                  \
    { WM_NOTIFY, (UINT)(code), (UINT)(id), AfxSig_vNMHDRpl,      \
      AFX_PMSG_CAST(void (CWnd::*)(NMHDR*, LRESULT*), &ThisClass::fn) },
#define ON_CONTROL_REFLECT(code, fn) \
    { WM_REFLECT_BASE + WM_COMMAND, (UINT)(code), 0, AfxSig_vv, static_cast<AFX_PMSG>(&ThisClass::fn) },
#define ON_CONTROL_REFLECT_EX(code, fn)                          \
    { WM_REFLECT_BASE + WM_COMMAND, (UINT)(code), 0, AfxSig_bv,  \
      AFX_PMSG_CAST(BOOL (CWnd::*)(), &ThisClass::fn) },
#define ON_WM_CTLCOLOR_REFLECT()                                 \
    { WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, AfxSig_hDu,           \
      AFX_PMSG_CAST(HBRUSH (CWnd::*)(HDC, UINT), &ThisClass::CtlColor) },
#define ON_WM_PAINT() \
    { WM_PAINT, 0, 0, AfxSig_vv, static_cast<AFX_PMSG>(&ThisClass::OnPaint) },
#define ON_WM_QUERYDRAGICON()                                    \
    { WM_QUERYDRAGICON, 0, 0, AfxSig_hv,                         \
      AFX_PMSG_CAST(HCURSOR (CWnd::*)(), &ThisClass::OnQueryDragIcon) },
#define ON_WM_SETCURSOR()                                        \
    { WM_SETCURSOR, 0, 0, AfxSig_bHww,                           \
      AFX_PMSG_CAST(BOOL (CWnd::*)(HWND, UINT, UINT), &ThisClass::OnSetCursor) },
#define ON_WM_SYSCOMMAND()                                       \
    { WM_SYSCOMMAND, 0, 0, AfxSig_vwl,                           \
      AFX_PMSG_CAST(void (CWnd::*)(UINT, LPARAM), &ThisClass::OnSysCommand) },
#define ON_WM_MOUSEMOVE()                                        \
    { WM_MOUSEMOVE, 0, 0, AfxSig_vwp,                            \
      AFX_PMSG_CAST(void (CWnd::*)(UINT, POINT), &ThisClass::OnMouseMove) },

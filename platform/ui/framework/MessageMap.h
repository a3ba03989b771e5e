#pragma once
// Message maps: per class, a declarative table that binds window messages, commands and
// notifications to member handlers with the framework's handler signatures. Dispatch searches
// the class's table, then its base class's, up to the root.
//
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//       ON_WM_TIMER()
//       ON_COMMAND(ID_TRAY_LAUNCH, OnTrayLaunch)
//       ON_MESSAGE(WM_SCAN_COMPLETE, OnScanComplete)
//   END_MESSAGE_MAP()
//
// Each entry carries a small adapter that unpacks the message and calls the handler through a
// member pointer whose type is the exact signature, so a handler with the wrong signature does
// not compile. Handlers are named by their member name alone (ON_COMMAND(ID_X, OnX)); a
// handler inherited from a base class is found by that name too.

#include "platform/ui/MessageIds.h"
#include "platform/ui/PointerParam.h"
#include "platform/ui/UserTypes.h"

class CCmdTarget;
class CWnd;
class CScrollBar;
class CDC;

// Notifications a parent reflects back to the control that sent them are looked up in the
// control's map under the message plus this base (ON_CONTROL_REFLECT, ON_NOTIFY_REFLECT, ...).
inline constexpr UINT WM_REFLECT_BASE = 0xBC00;
// The one map message that stands for every WM_CTLCOLORxxx; the handler receives which one as
// nCtlColor (CTLCOLOR_*).
inline constexpr UINT WM_CTLCOLOR = 0x0019;
inline constexpr UINT CTLCOLOR_MSGBOX = 0;
inline constexpr UINT CTLCOLOR_EDIT = 1;
inline constexpr UINT CTLCOLOR_LISTBOX = 2;
inline constexpr UINT CTLCOLOR_BTN = 3;
inline constexpr UINT CTLCOLOR_DLG = 4;
inline constexpr UINT CTLCOLOR_SCROLLBAR = 5;
inline constexpr UINT CTLCOLOR_STATIC = 6;

struct NCCALCSIZE_PARAMS;

// What an adapter sees of the message being dispatched.
struct AFX_MSGCALL
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT nID;     // commands and notifications: the control or command id
    UINT nCode;   // commands and notifications: the notification code
    void* pExtra; // WM_NOTIFY: the AFX_NOTIFY; WM_CTLCOLOR: the CDC
    LRESULT result;
};

// Returns false when the handler declined the message (the search then goes on).
using AFX_PMSG_ADAPTER = bool (*)(CCmdTarget* pTarget, AFX_MSGCALL& call);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    AFX_PMSG_ADAPTER pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Command notifications (the nCode of OnCmdMsg) for a menu or accelerator command.
inline constexpr int CN_COMMAND = 0;

namespace platform::afx
{
// Pins a member pointer to the exact handler signature an entry expects.
template <class Signature> constexpr Signature Handler(Signature pfn)
{
    return pfn;
}
} // namespace platform::afx

#define afx_msg

// clang-format off
#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const                                              \
    {                                                                                              \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                                \
    {                                                                                              \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        using TheBaseClass = baseClass;                                                            \
        static_assert(sizeof(ThisClass) > 0, "an empty map names its class too");                  \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                         \
        {0, 0, 0, 0, nullptr}};                                                                   \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap,                   \
                                              &_messageEntries[0]};                               \
        return &messageMap;                                                                       \
    }

// One entry: the adapter runs the statements with the target as ThisClass* (AFX_TARGET) and the
// message as afxCall.
#define AFX_TARGET static_cast<ThisClass*>(afxTarget)
#define AFX_ENTRY(nMessage, nCode, nID, nLastID, ...)                                             \
    {static_cast<UINT>(nMessage), static_cast<UINT>(nCode), static_cast<UINT>(nID),               \
     static_cast<UINT>(nLastID),                                                                  \
     [](CCmdTarget* afxTarget, AFX_MSGCALL& afxCall) -> bool {                                    \
         (void)afxTarget; (void)afxCall;                                                          \
         __VA_ARGS__;                                                                             \
         return true;                                                                             \
     }},
// The handler through a member pointer of exactly the given signature.
#define AFX_CALL(signature, memberFxn)                                                            \
    (AFX_TARGET->*::platform::afx::Handler<signature>(&ThisClass::memberFxn))
#define AFX_WND_FROM_PARAM(param) CWnd::FromHandle(static_cast<HWND>(param))
#define AFX_DC_FROM_PARAM(param) CDC::FromHandle(static_cast<HDC>(param))

// Window messages, with the framework's handler names and signatures.
#define ON_WM_CREATE()                                                                            \
    AFX_ENTRY(WM_CREATE, 0, 0, 0, afxCall.result = AFX_TARGET->OnCreate(                          \
        ::platform::PointerFromParam<CREATESTRUCT>(afxCall.lParam)))
#define ON_WM_DESTROY() AFX_ENTRY(WM_DESTROY, 0, 0, 0, AFX_TARGET->OnDestroy())
#define ON_WM_NCDESTROY() AFX_ENTRY(WM_NCDESTROY, 0, 0, 0, AFX_TARGET->OnNcDestroy())
#define ON_WM_PAINT() AFX_ENTRY(WM_PAINT, 0, 0, 0, AFX_TARGET->OnPaint())
#define ON_WM_CLOSE() AFX_ENTRY(WM_CLOSE, 0, 0, 0, AFX_TARGET->OnClose())
#define ON_WM_TIMER()                                                                             \
    AFX_ENTRY(WM_TIMER, 0, 0, 0, AFX_TARGET->OnTimer(static_cast<UINT_PTR>(afxCall.wParam)))
#define ON_WM_SYSCOMMAND()                                                                        \
    AFX_ENTRY(WM_SYSCOMMAND, 0, 0, 0,                                                             \
              AFX_TARGET->OnSysCommand(static_cast<UINT>(afxCall.wParam), afxCall.lParam))
#define ON_WM_QUERYDRAGICON()                                                                     \
    AFX_ENTRY(WM_QUERYDRAGICON, 0, 0, 0,                                                          \
              afxCall.result = static_cast<LRESULT>(AFX_TARGET->OnQueryDragIcon()))
// The scroll bar argument is the control's object (often not a CScrollBar: a trackbar sends
// these too); handlers compare it or cast it to the control's own class.
#define ON_WM_HSCROLL()                                                                           \
    AFX_ENTRY(WM_HSCROLL, 0, 0, 0,                                                                \
              AFX_TARGET->OnHScroll(LOWORD(afxCall.wParam),                                       \
                  static_cast<UINT>(static_cast<SHORT>(HIWORD(afxCall.wParam))),                  \
                  reinterpret_cast<CScrollBar*>(AFX_WND_FROM_PARAM(afxCall.lParam))))
#define ON_WM_VSCROLL()                                                                           \
    AFX_ENTRY(WM_VSCROLL, 0, 0, 0,                                                                \
              AFX_TARGET->OnVScroll(LOWORD(afxCall.wParam),                                       \
                  static_cast<UINT>(static_cast<SHORT>(HIWORD(afxCall.wParam))),                  \
                  reinterpret_cast<CScrollBar*>(AFX_WND_FROM_PARAM(afxCall.lParam))))
#define ON_WM_HELPINFO()                                                                          \
    AFX_ENTRY(WM_HELP, 0, 0, 0, afxCall.result = AFX_TARGET->OnHelpInfo(                          \
        ::platform::PointerFromParam<HELPINFO>(afxCall.lParam)))
#define ON_WM_SHOWWINDOW()                                                                        \
    AFX_ENTRY(WM_SHOWWINDOW, 0, 0, 0,                                                             \
              AFX_TARGET->OnShowWindow(static_cast<BOOL>(afxCall.wParam),                         \
                                       static_cast<UINT>(afxCall.lParam)))
#define ON_WM_SETFOCUS()                                                                          \
    AFX_ENTRY(WM_SETFOCUS, 0, 0, 0, AFX_TARGET->OnSetFocus(AFX_WND_FROM_PARAM(afxCall.wParam)))
#define ON_WM_KILLFOCUS()                                                                         \
    AFX_ENTRY(WM_KILLFOCUS, 0, 0, 0, AFX_TARGET->OnKillFocus(AFX_WND_FROM_PARAM(afxCall.wParam)))
#define ON_WM_CHAR()                                                                              \
    AFX_ENTRY(WM_CHAR, 0, 0, 0,                                                                   \
              AFX_TARGET->OnChar(static_cast<UINT>(afxCall.wParam), LOWORD(afxCall.lParam),       \
                                 HIWORD(afxCall.lParam)))

#define ON_WM_NCCALCSIZE()                                                                        \
    AFX_ENTRY(WM_NCCALCSIZE, 0, 0, 0,                                                             \
              AFX_TARGET->OnNcCalcSize(static_cast<BOOL>(afxCall.wParam),                         \
                  ::platform::PointerFromParam<NCCALCSIZE_PARAMS>(afxCall.lParam)))
#define ON_WM_ERASEBKGND()                                                                        \
    AFX_ENTRY(WM_ERASEBKGND, 0, 0, 0,                                                             \
              afxCall.result = AFX_TARGET->OnEraseBkgnd(AFX_DC_FROM_PARAM(afxCall.wParam)))
#define ON_WM_ICONERASEBKGND()                                                                    \
    AFX_ENTRY(WM_ICONERASEBKGND, 0, 0, 0,                                                         \
              AFX_TARGET->OnIconEraseBkgnd(AFX_DC_FROM_PARAM(afxCall.wParam)))
// HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor), for every WM_CTLCOLORxxx.
#define ON_WM_CTLCOLOR()                                                                          \
    AFX_ENTRY(WM_CTLCOLOR, 0, 0, 0,                                                               \
              afxCall.result = static_cast<LRESULT>(AFX_TARGET->OnCtlColor(                       \
                  static_cast<CDC*>(afxCall.pExtra), AFX_WND_FROM_PARAM(afxCall.lParam),          \
                  afxCall.nCode)))
#define AFX_MOUSE_ENTRY(msg, memberFxn)                                                           \
    AFX_ENTRY(msg, 0, 0, 0,                                                                       \
              AFX_TARGET->memberFxn(static_cast<UINT>(afxCall.wParam),                            \
                  POINT{static_cast<SHORT>(LOWORD(static_cast<DWORD>(afxCall.lParam))),           \
                        static_cast<SHORT>(HIWORD(static_cast<DWORD>(afxCall.lParam)))}))
// void OnXxx(UINT nFlags, CPoint point); the point arrives as a POINT.
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_ENTRY(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE_ENTRY(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_SIZE()                                                                              \
    AFX_ENTRY(WM_SIZE, 0, 0, 0,                                                                   \
              AFX_TARGET->OnSize(static_cast<UINT>(afxCall.wParam),                               \
                                 LOWORD(static_cast<DWORD>(afxCall.lParam)),                      \
                                 HIWORD(static_cast<DWORD>(afxCall.lParam))))
#define ON_WM_MOVE()                                                                              \
    AFX_ENTRY(WM_MOVE, 0, 0, 0,                                                                   \
              AFX_TARGET->OnMove(static_cast<SHORT>(LOWORD(static_cast<DWORD>(afxCall.lParam))),  \
                                 static_cast<SHORT>(HIWORD(static_cast<DWORD>(afxCall.lParam)))))
#define ON_WM_CONTEXTMENU()                                                                       \
    AFX_ENTRY(WM_CONTEXTMENU, 0, 0, 0,                                                            \
              AFX_TARGET->OnContextMenu(AFX_WND_FROM_PARAM(afxCall.wParam),                       \
                  POINT{static_cast<SHORT>(LOWORD(static_cast<DWORD>(afxCall.lParam))),           \
                        static_cast<SHORT>(HIWORD(static_cast<DWORD>(afxCall.lParam)))}))
// UINT OnPowerBroadcast(UINT nPowerEvent, LPARAM lParam).
#define ON_WM_POWERBROADCAST()                                                                    \
    AFX_ENTRY(WM_POWERBROADCAST, 0, 0, 0,                                                         \
              afxCall.result = static_cast<LRESULT>(AFX_TARGET->OnPowerBroadcast(                 \
                  static_cast<UINT>(afxCall.wParam), afxCall.lParam)))
#define ON_WM_KEYDOWN()                                                                           \
    AFX_ENTRY(WM_KEYDOWN, 0, 0, 0,                                                                \
              AFX_TARGET->OnKeyDown(static_cast<UINT>(afxCall.wParam), LOWORD(afxCall.lParam),    \
                                    HIWORD(afxCall.lParam)))

// Any message, handled as LRESULT OnMessage(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn)                                                            \
    AFX_ENTRY(message, 0, 0, 0,                                                                   \
              afxCall.result = AFX_CALL(LRESULT (ThisClass::*)(WPARAM, LPARAM), memberFxn)(       \
                  afxCall.wParam, afxCall.lParam))

// Commands (WM_COMMAND without a control, and BN_CLICKED): void OnCommand().
#define ON_COMMAND(id, memberFxn)                                                                 \
    AFX_ENTRY(WM_COMMAND, CN_COMMAND, id, id, AFX_CALL(void (ThisClass::*)(), memberFxn)())
// A range of commands: void OnCommand(UINT nID).
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                   \
    AFX_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast,                                                 \
              AFX_CALL(void (ThisClass::*)(UINT), memberFxn)(afxCall.nID))
// A control notification through WM_COMMAND: void OnNotification().
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                    \
    AFX_ENTRY(WM_COMMAND, wNotifyCode, id, id, AFX_CALL(void (ThisClass::*)(), memberFxn)())
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                                      \
    AFX_ENTRY(WM_COMMAND, wNotifyCode, id, idLast,                                                \
              AFX_CALL(void (ThisClass::*)(UINT), memberFxn)(afxCall.nID))
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)

// WM_NOTIFY from a control: void OnNotify(NMHDR* pNMHDR, LRESULT* pResult). The code is kept
// as its low word, as the notification's code is matched.
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                     \
    AFX_ENTRY(WM_NOTIFY, static_cast<WORD>(static_cast<int>(wNotifyCode)), id, id,                \
              auto* afxNotify = static_cast<AFX_NOTIFY*>(afxCall.pExtra);                         \
              AFX_CALL(void (ThisClass::*)(NMHDR*, LRESULT*), memberFxn)(afxNotify->pNMHDR,       \
                                                                          afxNotify->pResult))
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                       \
    AFX_ENTRY(WM_NOTIFY, static_cast<WORD>(static_cast<int>(wNotifyCode)), id, idLast,            \
              auto* afxNotify = static_cast<AFX_NOTIFY*>(afxCall.pExtra);                         \
              AFX_CALL(void (ThisClass::*)(UINT, NMHDR*, LRESULT*), memberFxn)(                   \
                  afxCall.nID, afxNotify->pNMHDR, afxNotify->pResult))

// Reflected notifications, in the control's own map: the parent offers a control's WM_COMMAND
// notification, WM_NOTIFY, WM_HSCROLL/WM_VSCROLL and WM_CTLCOLORxxx to the control's permanent
// object first. A plain reflect entry takes the notification (the parent's map does not see it);
// the _EX forms return BOOL, and FALSE passes it on to the parent.
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                                \
    AFX_ENTRY(WM_REFLECT_BASE + WM_COMMAND, wNotifyCode, 0, 0,                                    \
              AFX_CALL(void (ThisClass::*)(), memberFxn)())
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                             \
    AFX_ENTRY(WM_REFLECT_BASE + WM_COMMAND, wNotifyCode, 0, 0,                                    \
              return AFX_CALL(BOOL (ThisClass::*)(), memberFxn)() != FALSE)
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                                 \
    AFX_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, static_cast<WORD>(static_cast<int>(wNotifyCode)), 0, 0, \
              auto* afxNotify = static_cast<AFX_NOTIFY*>(afxCall.pExtra);                         \
              AFX_CALL(void (ThisClass::*)(NMHDR*, LRESULT*), memberFxn)(afxNotify->pNMHDR,       \
                                                                          afxNotify->pResult))
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                              \
    AFX_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, static_cast<WORD>(static_cast<int>(wNotifyCode)), 0, 0, \
              auto* afxNotify = static_cast<AFX_NOTIFY*>(afxCall.pExtra);                         \
              return AFX_CALL(BOOL (ThisClass::*)(NMHDR*, LRESULT*), memberFxn)(                  \
                  afxNotify->pNMHDR, afxNotify->pResult) != FALSE)
#define ON_EN_KILLFOCUS_REFLECT(memberFxn) ON_CONTROL_REFLECT(EN_KILLFOCUS, memberFxn)
#define ON_CBN_DROPDOWN_REFLECT(memberFxn) ON_CONTROL_REFLECT(CBN_DROPDOWN, memberFxn)
// void HScroll(UINT nSBCode, UINT nPos) / VScroll, in the scrolling control's map.
#define ON_WM_HSCROLL_REFLECT()                                                                   \
    AFX_ENTRY(WM_REFLECT_BASE + WM_HSCROLL, 0, 0, 0,                                              \
              AFX_TARGET->HScroll(LOWORD(afxCall.wParam),                                         \
                  static_cast<UINT>(static_cast<SHORT>(HIWORD(afxCall.wParam)))))
#define ON_WM_VSCROLL_REFLECT()                                                                   \
    AFX_ENTRY(WM_REFLECT_BASE + WM_VSCROLL, 0, 0, 0,                                              \
              AFX_TARGET->VScroll(LOWORD(afxCall.wParam),                                         \
                  static_cast<UINT>(static_cast<SHORT>(HIWORD(afxCall.wParam)))))
// HBRUSH CtlColor(CDC* pDC, UINT nCtlColor); a null brush passes it on to the parent.
#define ON_WM_CTLCOLOR_REFLECT()                                                                  \
    AFX_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0,                                             \
              afxCall.result = static_cast<LRESULT>(AFX_TARGET->CtlColor(                         \
                  static_cast<CDC*>(afxCall.pExtra), afxCall.nCode));                             \
              return afxCall.result != 0)
// clang-format on

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

// What an adapter sees of the message being dispatched.
struct AFX_MSGCALL
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT nID;      // commands and notifications: the control or command id
    UINT nCode;    // commands and notifications: the notification code
    void* pExtra;  // WM_NOTIFY: the AFX_NOTIFY
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

#define DECLARE_MESSAGE_MAP()                                                                    \
protected:                                                                                       \
    static const AFX_MSGMAP* GetThisMessageMap();                                                \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                   \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }            \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                              \
    {                                                                                            \
        using ThisClass = theClass;                                                              \
        using TheBaseClass = baseClass;                                                          \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                        \
    {0, 0, 0, 0, nullptr}                                                                        \
    }                                                                                            \
    ;                                                                                            \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                                          \
    }

#define AFX_TARGET static_cast<ThisClass*>(afxTarget)
#define AFX_ADAPTER [](CCmdTarget * afxTarget, AFX_MSGCALL & afxCall) -> bool
#define AFX_CALL(signature, memberFxn)                                                          \
    (AFX_TARGET->*::platform::afx::Handler<signature>(&ThisClass::memberFxn))

// Window messages, with the framework's handler names and signatures.
#define ON_WM_CREATE()                                                                           \
    {WM_CREATE, 0, 0, 0, AFX_ADAPTER {                                                           \
         afxCall.result = AFX_TARGET->OnCreate(                                                   \
             ::platform::PointerFromParam<CREATESTRUCT>(afxCall.lParam));                         \
         return true;                                                                            \
     }},
#define ON_WM_DESTROY()                                                                          \
    {WM_DESTROY, 0, 0, 0, AFX_ADAPTER {                                                          \
         (void)afxCall;                                                                           \
         AFX_TARGET->OnDestroy();                                                                \
         return true;                                                                            \
     }},
#define ON_WM_NCDESTROY()                                                                        \
    {WM_NCDESTROY, 0, 0, 0, AFX_ADAPTER {                                                        \
         (void)afxCall;                                                                           \
         AFX_TARGET->OnNcDestroy();                                                              \
         return true;                                                                            \
     }},
#define ON_WM_PAINT()                                                                            \
    {WM_PAINT, 0, 0, 0, AFX_ADAPTER {                                                            \
         (void)afxCall;                                                                           \
         AFX_TARGET->OnPaint();                                                                  \
         return true;                                                                            \
     }},
#define ON_WM_CLOSE()                                                                            \
    {WM_CLOSE, 0, 0, 0, AFX_ADAPTER {                                                            \
         (void)afxCall;                                                                           \
         AFX_TARGET->OnClose();                                                                  \
         return true;                                                                            \
     }},
#define ON_WM_TIMER()                                                                            \
    {WM_TIMER, 0, 0, 0, AFX_ADAPTER {                                                            \
         AFX_TARGET->OnTimer(static_cast<UINT_PTR>(afxCall.wParam));                              \
         return true;                                                                            \
     }},
#define ON_WM_SYSCOMMAND()                                                                       \
    {WM_SYSCOMMAND, 0, 0, 0, AFX_ADAPTER {                                                       \
         AFX_TARGET->OnSysCommand(static_cast<UINT>(afxCall.wParam), afxCall.lParam);              \
         return true;                                                                            \
     }},
#define ON_WM_QUERYDRAGICON()                                                                    \
    {WM_QUERYDRAGICON, 0, 0, 0, AFX_ADAPTER {                                                    \
         afxCall.result = static_cast<LRESULT>(AFX_TARGET->OnQueryDragIcon());                    \
         return true;                                                                            \
     }},
#define ON_WM_HSCROLL()                                                                          \
    {WM_HSCROLL, 0, 0, 0, AFX_ADAPTER {                                                          \
         AFX_TARGET->OnHScroll(LOWORD(afxCall.wParam),                                            \
                               static_cast<UINT>(static_cast<SHORT>(HIWORD(afxCall.wParam))),     \
                               reinterpret_cast<CScrollBar*>(                                    \
                                   CWnd::FromHandle(static_cast<HWND>(afxCall.lParam))));         \
         return true;                                                                            \
     }},
#define ON_WM_VSCROLL()                                                                          \
    {WM_VSCROLL, 0, 0, 0, AFX_ADAPTER {                                                          \
         AFX_TARGET->OnVScroll(LOWORD(afxCall.wParam),                                            \
                               static_cast<UINT>(static_cast<SHORT>(HIWORD(afxCall.wParam))),     \
                               reinterpret_cast<CScrollBar*>(                                    \
                                   CWnd::FromHandle(static_cast<HWND>(afxCall.lParam))));         \
         return true;                                                                            \
     }},
#define ON_WM_HELPINFO()                                                                         \
    {WM_HELP, 0, 0, 0, AFX_ADAPTER {                                                             \
         afxCall.result =                                                                         \
             AFX_TARGET->OnHelpInfo(::platform::PointerFromParam<HELPINFO>(afxCall.lParam));      \
         return true;                                                                            \
     }},
#define ON_WM_SHOWWINDOW()                                                                       \
    {WM_SHOWWINDOW, 0, 0, 0, AFX_ADAPTER {                                                       \
         AFX_TARGET->OnShowWindow(static_cast<BOOL>(afxCall.wParam),                              \
                                  static_cast<UINT>(afxCall.lParam));                             \
         return true;                                                                            \
     }},
#define ON_WM_SETFOCUS()                                                                         \
    {WM_SETFOCUS, 0, 0, 0, AFX_ADAPTER {                                                         \
         AFX_TARGET->OnSetFocus(CWnd::FromHandle(static_cast<HWND>(afxCall.wParam)));             \
         return true;                                                                            \
     }},
#define ON_WM_KILLFOCUS()                                                                        \
    {WM_KILLFOCUS, 0, 0, 0, AFX_ADAPTER {                                                        \
         AFX_TARGET->OnKillFocus(CWnd::FromHandle(static_cast<HWND>(afxCall.wParam)));            \
         return true;                                                                            \
     }},
#define ON_WM_CHAR()                                                                             \
    {WM_CHAR, 0, 0, 0, AFX_ADAPTER {                                                             \
         AFX_TARGET->OnChar(static_cast<UINT>(afxCall.wParam), LOWORD(afxCall.lParam),             \
                            HIWORD(afxCall.lParam));                                              \
         return true;                                                                            \
     }},

// Any message, handled as LRESULT OnMessage(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn)                                                           \
    {static_cast<UINT>(message), 0, 0, 0, AFX_ADAPTER {                                          \
         afxCall.result = AFX_CALL(LRESULT (ThisClass::*)(WPARAM, LPARAM),                        \
                                  memberFxn)(afxCall.wParam, afxCall.lParam);                      \
         return true;                                                                            \
     }},

// Commands (WM_COMMAND without a control, and BN_CLICKED): void OnCommand().
#define ON_COMMAND(id, memberFxn)                                                                \
    {WM_COMMAND, static_cast<UINT>(CN_COMMAND), static_cast<UINT>(id), static_cast<UINT>(id),    \
     AFX_ADAPTER {                                                                               \
         (void)afxCall;                                                                           \
         AFX_CALL(void (ThisClass::*)(), memberFxn)();                                           \
         return true;                                                                            \
     }},
// A range of commands: void OnCommand(UINT nID).
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                  \
    {WM_COMMAND, static_cast<UINT>(CN_COMMAND), static_cast<UINT>(id), static_cast<UINT>(idLast), \
     AFX_ADAPTER {                                                                               \
         AFX_CALL(void (ThisClass::*)(UINT), memberFxn)(afxCall.nID);                             \
         return true;                                                                            \
     }},
// A control notification through WM_COMMAND: void OnNotification().
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                   \
    {WM_COMMAND, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(id),   \
     AFX_ADAPTER {                                                                               \
         (void)afxCall;                                                                           \
         AFX_CALL(void (ThisClass::*)(), memberFxn)();                                           \
         return true;                                                                            \
     }},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                                     \
    {WM_COMMAND, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id),                          \
     static_cast<UINT>(idLast), AFX_ADAPTER {                                                    \
         AFX_CALL(void (ThisClass::*)(UINT), memberFxn)(afxCall.nID);                             \
         return true;                                                                            \
     }},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)

// WM_NOTIFY from a control: void OnNotify(NMHDR* pNMHDR, LRESULT* pResult).
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                    \
    {WM_NOTIFY, static_cast<WORD>(static_cast<int>(wNotifyCode)), static_cast<UINT>(id),         \
     static_cast<UINT>(id), AFX_ADAPTER {                                                        \
         auto* afxNotify = static_cast<AFX_NOTIFY*>(afxCall.pExtra);                               \
         AFX_CALL(void (ThisClass::*)(NMHDR*, LRESULT*), memberFxn)(afxNotify->pNMHDR,            \
                                                                    afxNotify->pResult);          \
         return true;                                                                            \
     }},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                      \
    {WM_NOTIFY, static_cast<WORD>(static_cast<int>(wNotifyCode)), static_cast<UINT>(id),         \
     static_cast<UINT>(idLast), AFX_ADAPTER {                                                    \
         auto* afxNotify = static_cast<AFX_NOTIFY*>(afxCall.pExtra);                               \
         AFX_CALL(void (ThisClass::*)(UINT, NMHDR*, LRESULT*), memberFxn)(                       \
             afxCall.nID, afxNotify->pNMHDR, afxNotify->pResult);                                   \
         return true;                                                                            \
     }},

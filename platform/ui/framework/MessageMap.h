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
    UINT nID;     // commands and notifications: the control or command id
    UINT nCode;   // commands and notifications: the notification code
    void* pExtra; // WM_NOTIFY: the AFX_NOTIFY
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
        using ThisClass = theClass;                                                                \
        using TheBaseClass = baseClass;                                                            \
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
// clang-format on

#pragma once
// A framework object that receives commands through its message map.

#include "platform/ui/framework/MessageMap.h"
#include "platform/ui/framework/Object.h"

struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    AFX_PMSG_ADAPTER pmf;
};

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Routes a command or notification to the handler in the message map. nCode's low word is
    // the notification code, its high word the message (0 for WM_COMMAND, else WM_NOTIFY).
    // With pHandlerInfo, only tells whether there is a handler (and which).
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The first entry of the class's map chain for a message (not a command).
    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage);
    // The first entry for a command or notification.
    static const AFX_MSGMAP_ENTRY* FindCommandEntry(const AFX_MSGMAP* pMap, UINT nMessage,
                                                    UINT nCode, UINT nID);
};

#include "platform/ui/framework/CmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage)
{
    for (; pMap != nullptr; pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr)
        for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->pfn != nullptr; ++e)
            if (e->nMessage == nMessage && e->nMessage != WM_COMMAND && e->nMessage != WM_NOTIFY)
                return e;
    return nullptr;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindCommandEntry(const AFX_MSGMAP* pMap, UINT nMessage,
                                                     UINT nCode, UINT nID)
{
    for (; pMap != nullptr; pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr)
        for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->pfn != nullptr; ++e)
            if (e->nMessage == nMessage && e->nCode == nCode && nID >= e->nID && nID <= e->nLastID)
                return e;
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMessage = HIWORD(static_cast<DWORD>(nCode));
    if (nMessage == 0)
        nMessage = WM_COMMAND;
    const UINT code = LOWORD(static_cast<DWORD>(nCode));
    const AFX_MSGMAP_ENTRY* entry = FindCommandEntry(GetMessageMap(), nMessage, code, nID);
    if (entry == nullptr)
        return FALSE;
    if (pHandlerInfo != nullptr)
    {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pmf = entry->pfn;
        return TRUE;
    }
    AFX_MSGCALL call{nMessage, 0, 0, nID, code, pExtra, 0};
    return entry->pfn(this, call) ? TRUE : FALSE;
}

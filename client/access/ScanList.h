#pragma once
// The scan list in the NDIS layout (see NdisTypes.h): the work list that a rebuild fills and
// the published copy that every page walks, each BSSID_LIST_BYTES long, with the PHY type of
// each entry beside them. The monitor window allocates both lists, zero-filled, when it starts
// and frees them when it ends; until then they are null.

#include "adapter/driver/NdisTypes.h"
#include "platform/Windows.h"

#include <cstddef>
#include <cstring>

extern BYTE* g_pBssidList;
extern BYTE* g_pBssidListCopy;
// PHY type (WLAN API numbering) of each entry of the published list.
extern DWORD g_anPhyType[BSSID_LIST_MAX_ENTRIES];

// Calls visit (the entry's first byte) for each entry of a scan list, in order, until it returns
// TRUE; the entry it stopped at, or NULL. The walk stays inside the entry count and the list's
// bytes: an entry shorter than its fixed part or reaching past the list ends it. Entries lie at
// any alignment.
template <typename Visit> const BYTE* WalkBssidList(const BYTE* pList, Visit visit)
{
    if (pList == NULL)
        return NULL;
    DWORD nCount = 0;
    memcpy(&nCount, pList, sizeof(nCount));
    ULONG nOffset = 4;
    for (DWORD i = 0; i < nCount; i++)
    {
        if (nOffset + NDIS_WLAN_BSSID_EX_FIXED > BSSID_LIST_BYTES)
            break;
        const BYTE* pEntry = pList + nOffset;
        ULONG nLength = 0;
        memcpy(&nLength, pEntry + offsetof(NDIS_WLAN_BSSID_EX, Length), sizeof(nLength));
        if (nLength < NDIS_WLAN_BSSID_EX_FIXED || nLength > BSSID_LIST_BYTES - nOffset)
            break;
        if (visit(pEntry))
            return pEntry;
        nOffset += nLength;
    }
    return NULL;
}

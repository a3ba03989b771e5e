#pragma once
// The scan list in the NDIS layout (see NdisTypes.h): the work list that a rebuild fills and
// the published copy that every page walks, each BSSID_LIST_BYTES long, with the PHY type of
// each entry beside them. The monitor window allocates both lists, zero-filled, when it starts
// and frees them when it ends; until then they are null.

#include "client/core/NdisTypes.h"
#include "platform/Windows.h"

extern BYTE* g_pBssidList;
extern BYTE* g_pBssidListCopy;
// PHY type (WLAN API numbering) of each entry of the published list.
extern DWORD g_anPhyType[BSSID_LIST_MAX_ENTRIES];

#include "client/access/ScanList.h"

BYTE* g_pBssidList = nullptr;
BYTE* g_pBssidListCopy = nullptr;
DWORD g_anPhyType[BSSID_LIST_MAX_ENTRIES] = {};

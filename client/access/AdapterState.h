#pragma once
// TessarynUI's adapter state: the values both programs keep (adapter/discovery/AdapterState.h)
// and the client's own, set by its discovery.

#include "adapter/discovery/AdapterState.h"
#include "platform/Windows.h"

extern BOOL g_bFirstGenChip; // chip type 0 or 1

// Told the chosen adapter's friendly name (or its description when it has none), so that the
// WLAN client can pick the interface of that description. NULL until that client sets it.
typedef void (*PFN_ADAPTER_CHOSEN)(LPCSTR pszDescription);
extern PFN_ADAPTER_CHOSEN g_pfnAdapterChosen;

// 1 when an adapter was selected and the adapter state set, 0 otherwise.
int DiscoverAdapter();

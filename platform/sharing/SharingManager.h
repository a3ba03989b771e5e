#pragma once
// The sharing manager class behind CLSID_NetSharingManager, over the machine's connections
// (machine/network/Connections.h): changes reach the machine at once and every process sees
// them. Failures injected into the machine's sharing faults make its calls fail; each call is
// written to the machine's sharing log.

#include "platform/sharing/NetCon.h"

namespace platform::sharing
{

// The class's factory for CoCreateInstance.
HRESULT CreateSharingManager(REFIID riid, void** ppv);

} // namespace platform::sharing

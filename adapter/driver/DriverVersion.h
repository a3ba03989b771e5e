#pragma once
// The NDIS version word of the adapter's driver, which both programs read at start.

#include "platform/Windows.h"

// Defined by each program with its program-wide objects.
extern WORD g_nDriverVersion;

// g_nDriverVersion := 0, then the driver's answer to OID 0x00010110 (2 bytes) when it gives one.
void QueryDriverVersion();

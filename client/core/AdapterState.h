#pragma once
// The selected adapter, as program-wide state (filled by adapter discovery).

#include "platform/Windows.h"

extern CString g_strDevicePath;
extern CString g_strNetCfgInstanceId;
extern CString g_strDriverKey;
extern int g_nChipType; // 0 to 8, row of the chip-family table
extern BOOL g_bUsbAdapter;
extern BOOL g_bFirstGenChip;
extern BOOL g_bHtSupported;
extern int g_nHtVariant;

#pragma once
// The selected adapter as program-wide state. Both programs keep these values, each its own:
// the shared code declares them, and each program defines them with its program-wide objects.

#include "platform/Windows.h"

extern CString g_strDevicePath; // opened around every driver request
extern CString g_strNetCfgInstanceId;
extern CString g_strDriverKey;
extern int g_nChipType; // 0 to 8, row of the chip-family table
extern BOOL g_bUsbAdapter;
extern BOOL g_bHtSupported;
extern int g_nHtVariant;

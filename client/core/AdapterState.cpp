#include "client/core/AdapterState.h"

// g_strNetCfgInstanceId and g_strDriverKey are program-wide objects with a fixed place in
// the start-up order: they are defined with the others in ProgramObjects.cpp.
CString g_strDevicePath;
int g_nChipType = 0;
BOOL g_bUsbAdapter = FALSE;
BOOL g_bFirstGenChip = FALSE;
BOOL g_bHtSupported = FALSE;
int g_nHtVariant = 0;

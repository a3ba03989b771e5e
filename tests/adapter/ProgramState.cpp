// The program-wide objects that the shared code reads and each program defines: the tests of
// the shared code stand in for a program here.

#include "adapter/discovery/AdapterState.h"
#include "adapter/driver/DriverRequest.h"
#include "adapter/driver/DriverVersion.h"
#include "adapter/system/OsVersion.h"
#include "adapter/system/Wow64.h"

int OsVersionCode = 0;
CSetInformationArray RetryQueue;
CString g_strDevicePath;
CString g_strNetCfgInstanceId;
CString g_strDriverKey;
int g_nChipType = 0;
BOOL g_bUsbAdapter = FALSE;
BOOL g_bHtSupported = FALSE;
int g_nHtVariant = 0;
WORD g_nDriverVersion = 0;
PFN_IsWow64Process g_pfnIsWow64Process = NULL;
PFN_Wow64EnableWow64FsRedirection g_pfnWow64EnableWow64FsRedirection = NULL;

// The program-wide objects live in this one file so that they are constructed in this order,
// before the application runs, and destroyed in reverse order at exit.

#include "accesspoint/app/ProgramObjects.h"

#include "accesspoint/app/ApGlobals.h"
#include "accesspoint/monitor/ApEventLog.h"
#include "adapter/discovery/AdapterState.h"
#include "adapter/driver/DriverRequest.h"
#include "adapter/driver/DriverVersion.h"
#include "adapter/radio/ChannelFrequencyTable.h"
#include "adapter/system/OsVersion.h"
#include "adapter/system/Wow64.h"

namespace
{

// The channel table's last rows are completed before any window reads it.
struct CChannelTableCompletion
{
    CChannelTableCompletion() { CompleteChannelFrequencyTable(); }
};

} // namespace

CString g_strDevicePath;
CString g_strNetCfgInstanceId;
CString g_strDriverKey;
int g_nChipType = 0;
BOOL g_bUsbAdapter = FALSE;
WORD g_nDriverVersion = 0;
int OsVersionCode = 0;
CSetInformationArray RetryQueue;
PFN_IsWow64Process g_pfnIsWow64Process =
    reinterpret_cast<PFN_IsWow64Process>(Kernel32Function("IsWow64Process"));
PFN_Wow64EnableWow64FsRedirection g_pfnWow64EnableWow64FsRedirection =
    reinterpret_cast<PFN_Wow64EnableWow64FsRedirection>(
        Kernel32Function("Wow64EnableWow64FsRedirection"));
static CChannelTableCompletion g_ChannelTableCompletion;
BOOL g_bWow64 = FALSE;
BOOL g_bHtSupported = FALSE;
int g_nHtVariant = 0;
int g_nCheckBuild = 0;
CApEventArray g_ApEventLog;
int g_nEventLogShown = 0;
int g_nBridgeEnabled = 0;
BOOL g_bABandSupported = FALSE;
BOOL g_bAllowBw40InBgBand = FALSE;
BOOL g_bBbpQueried = FALSE;
BOOL g_bRegionValid = TRUE;
BOOL g_bABandRegionValid = TRUE;
int g_nApWirelessMode = 0;
int g_nApAuthMode = 0;
CString g_strApPassphrase;
BOOL g_bWdsAllowed = FALSE;

CHubPanelApp theApp;

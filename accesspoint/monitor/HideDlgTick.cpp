// The monitor window's 2-second tick: the signal in the icon, the zero-configuration service
// kept stopped, the station events collected, the 11n page kept in step with "bCheckBuild",
// and the watchdog that notices a lost adapter and starts the access point again when it
// returns.

#include "accesspoint/access/WzcService.h"
#include "accesspoint/app/ApGlobals.h"
#include "accesspoint/monitor/ApEventLog.h"
#include "accesspoint/monitor/HideDlg.h"
#include "accesspoint/monitor/SignalIcon.h"
#include "accesspoint/sheet/VnPropSheet.h"
#include "adapter/discovery/AdapterState.h"
#include "adapter/driver/DriverRequest.h"
#include "adapter/registry/RegistryCopy.h"
#include "resources/TessarynAp/resource.h"

#include <cstdlib>
#include <cstring>

namespace
{

#define OID_AP_RSSI 0x0D010206   // i32 dBm
#define OID_AP_EVENTS 0x0D71010A // the station events not yet reported

const DWORD kCheckBuildBuffer = 128;

} // namespace

void CHideDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (m_bBusy)
        return;
    if (!m_bDeviceExist || !IsSelDeviceExist())
    {
        RecoverAdapter();
        return;
    }
    UpdateSignalIcon();
    if (IsWzcServiceRunning())
        StopWzcService();
    CollectStationEvents();
    if (IsSheetOpen())
    {
        g_nCheckBuild = ReadCheckBuild();
        m_pPropSheet->UpdateHtPage();
    }
}

void CHideDlg::UpdateSignalIcon()
{
    // Without an answer the icon keeps what it shows.
    LONG lRssi = 0;
    DWORD dwReturned = 0;
    if (!OidQueryInformation(OID_AP_RSSI, &lRssi, sizeof(lRssi), &dwReturned))
        return;
    SetTrayIcon(SignalIconForPercent(RssiToPercentAp(lRssi)));
}

void CHideDlg::CollectStationEvents()
{
    BYTE abAnswer[AP_EVENT_ANSWER_BYTES];
    memset(abAnswer, 0, sizeof(abAnswer));
    DWORD dwReturned = 0;
    if (OidQueryInformation(OID_AP_EVENTS, abAnswer, sizeof(abAnswer), &dwReturned))
        CollectApEvents(abAnswer, dwReturned);
}

void CHideDlg::RecoverAdapter()
{
    KillTimer(MONITOR_TIMER_ID);
    CloseSheet();
    m_bDeviceExist = DiscoverDevice();
    m_nTimerId = SetTimer(MONITOR_TIMER_ID, MONITOR_PERIOD, NULL);
    SetTrayIcon(IDI_NO_ADAPTER);
    if (m_bDeviceExist)
        StartAccessPoint(FALSE);
    else
        g_bUsbAdapter = FALSE;
}

int CHideDlg::ReadCheckBuild()
{
    HKEY hKey = OpenMachineKey(g_strDriverKey, KEY_ALL_ACCESS);
    if (hKey == 0)
        return 0;
    char szValue[kCheckBuildBuffer];
    int nCheckBuild = 0;
    if (ReadDriverValue(hKey, "bCheckBuild", szValue, sizeof(szValue)) != ERROR_SUCCESS)
    {
        ReportRegistryFailure("RegQueryValueEx '%s' failed\n", "REGSTR_CHECK_BUILD");
        if (SetDriverText(hKey, "bCheckBuild", "0") != ERROR_SUCCESS)
            ReportRegistryFailure("RegSetValueEx '%s' failed\n", "REGSTR_CHECK_BUILD");
    }
    else
        nCheckBuild = atoi(szValue);
    RegCloseKey(hKey);
    return nCheckBuild;
}

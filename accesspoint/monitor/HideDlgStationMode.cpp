// Leaving the program: Exit leaves the driver running the access point; the switch to station
// use gives the driver key its station values back ("Default"), tells the driver, and has the
// mode switch bring the wireless client back.

#include "accesspoint/monitor/HideDlg.h"

#include "adapter/discovery/AdapterState.h"
#include "adapter/driver/DriverRequest.h"
#include "adapter/registry/RegistryCopy.h"

namespace
{

#define OID_AP_START_MARKER_SET 0x0DF10126

const char kDefaultSubkey[] = "Default";
const char kSwitchCommand[] = "\"VnSwap.exe\" OFF TessarynUI TessarynAp \"Tessaryn Wireless\"";

} // namespace

void CHideDlg::OnExit()
{
    if (m_bBusy)
        return;
    CloseSheet();
    DeleteTrayIcon();
    KillTimer(m_nTimerId);
    EndDialog(IDOK);
}

void CHideDlg::OnSwitchToStation()
{
    // A modal step still runs: the program would go on after the adapter was handed back.
    if (m_bBusy)
        return;
    OnExit();
    RestoreDefaultApSettings();
    WriteStationOpMode();
    WinExec(kSwitchCommand, SW_MINIMIZE);
}

void RestoreDefaultApSettings()
{
    CString strDefault = g_strDriverKey + "\\" + kDefaultSubkey;
    HKEY hDefault = OpenMachineKey(strDefault, KEY_QUERY_VALUE);
    if (hDefault == 0)
        return;
    HKEY hDriverKey = OpenMachineKey(g_strDriverKey, KEY_ALL_ACCESS);
    if (hDriverKey != 0)
    {
        CopyRegistryValues(hDefault, hDriverKey);
        RegCloseKey(hDriverKey);
    }
    RegCloseKey(hDefault);
}

void CHideDlg::WriteStationOpMode()
{
    HKEY hKey = OpenMachineKey(g_strDriverKey, KEY_ALL_ACCESS);
    if (hKey != 0)
    {
        if (SetDriverText(hKey, "OpMode", "0") != ERROR_SUCCESS)
            ReportRegistryFailure("RegSetValueEx REGSTR_OP_MODE '%s' failed\n", "0");
        RegCloseKey(hKey);
    }

    // The next start of the access point after this is the first of its driver load again.
    DWORD dwMarker = 0;
    DWORD dwReturned = 0;
    OidSetInformation(OID_AP_START_MARKER_SET, &dwMarker, sizeof(dwMarker), &dwReturned, 3);
}

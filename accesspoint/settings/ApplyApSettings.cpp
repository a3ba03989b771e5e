// The settings push of the start sequence: the access point's settings read back from the
// driver key (which holds a copy of "ApDefault") and sent to the driver in a fixed order. The SSID
// set starts the access point; the access-control list and WDS follow it.

#include "accesspoint/app/ApGlobals.h"
#include "accesspoint/monitor/HideDlg.h"
#include "accesspoint/settings/ApDriverRecords.h"
#include "accesspoint/settings/ApRateSets.h"
#include "accesspoint/settings/ApSettingsPush.h"
#include "accesspoint/settings/ApSettingsReader.h"
#include "accesspoint/settings/ApWirelessMode.h"
#include "accesspoint/sheet/VnPropSheet.h"
#include "adapter/discovery/AdapterState.h"
#include "adapter/registry/RegistryCopy.h"

void CHideDlg::ApplyApSettings()
{
    HKEY hKey = OpenMachineKey(g_strDriverKey, KEY_READ);
    if (hKey == 0)
        return;
    CApSettingsReader reader(hKey);

    CString strSsid;
    reader.ReadText("SSID", strSsid);

    int nMode = 0;
    reader.ReadNumber("WirelessMode", nMode);
    AdjustApWirelessMode(nMode);
    g_nApWirelessMode = nMode;
    SetApDword(OID_AP_WIRELESS_MODE_SET, static_cast<DWORD>(nMode));

    if (g_bHtSupported)
        SendApHtSetting(reader);

    int nTxPower = 0;
    reader.ReadNumber("TXPower", nTxPower);
    SetApDword(OID_AP_TX_POWER_SET, ApTxPowerPercent(nTxPower));

    // The N-only mode keeps the driver's own rates.
    if (nMode != 6)
        SendApRates(reader, nMode);
    SendApConfiguration(reader);
    SendApThresholds(reader);
    SendApAdvancedConfig(reader, nMode);

    int nAuthMode = 0;
    reader.ReadNumber("AuthenType", nAuthMode);
    g_nApAuthMode = nAuthMode;
    SetApDword(OID_AP_AUTHENTICATION, static_cast<DWORD>(nAuthMode));

    int nEncryption = 0;
    reader.ReadNumber("Encryption", nEncryption);
    nEncryption = CorrectApEncryption(nAuthMode, nEncryption);
    g_bWdsAllowed = nEncryption < 4 ? TRUE : FALSE;
    if (IsSheetOpen())
        m_pPropSheet->UpdateWdsPage();
    SetApDword(OID_AP_ENCRYPTION, static_cast<DWORD>(nEncryption));

    // The broadcast SSID is settled before the key that is derived from it.
    NDIS_802_11_SSID ssid = ApEffectiveSsid(strSsid);
    SendApKeys(reader, nAuthMode, nEncryption, ssid);

    SetApRecord(OID_AP_SSID, &ssid, sizeof(ssid));
    SendApAccessControl(reader);
    SendApWds(reader, nAuthMode, nEncryption);
    RegCloseKey(hKey);
}

#include "client/radio/RadioReconnect.h"

#include "adapter/driver/DriverRequest.h"
#include "adapter/driver/NdisTypes.h"
#include "client/monitor/ActionQueue.h"
#include "client/monitor/ClientGlobals.h"
#include "client/monitor/HideDlg.h"

#include <cstring>

#define OID_802_11_SSID 0x0D010102
#define OID_802_11_DISASSOCIATE 0x0D010115

void ReconnectSameSsid(void (*pfnMeanwhile)())
{
    NDIS_802_11_SSID ssid;
    memset(&ssid, 0, sizeof(ssid));
    DWORD dwReturned = 0;
    // Only a network the driver names is joined again: an SSID of length 0 would ask the
    // driver for any network in range.
    BOOL bKnown = OidQueryInformation(OID_802_11_SSID, &ssid, sizeof(ssid), &dwReturned) &&
                  ssid.SsidLength > 0 && ssid.SsidLength <= sizeof(ssid.Ssid);
    if (bKnown)
        OidSetInformation(OID_802_11_DISASSOCIATE, NULL, 0, &dwReturned, 3);
    if (pfnMeanwhile != NULL)
        pfnMeanwhile();
    if (bKnown)
        OidSetInformation(OID_802_11_SSID, &ssid, sizeof(ssid), &dwReturned, 3);
}

void ReconnectAndRescan()
{
    ReconnectSameSsid();
    DWORD dwCcx2 = 0;
    GetCcx2Control(&dwCcx2);
    SetCcx2Control(1, dwCcx2);
    if (g_pHideDlg != NULL)
        g_pHideDlg->PostRescan();
}

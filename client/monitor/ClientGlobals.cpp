#include "client/monitor/ClientGlobals.h"

#include <new>

CHideDlg* g_pHideDlg = NULL;
NDIS_802_11_SSID g_CurrentSsid = {};
BYTE g_CurrentBssid[6] = {};

BOOL g_bWow64 = FALSE;
BOOL g_bIsAdmin = FALSE;
BOOL g_bABandSupported = FALSE;
BOOL g_bEepromBit8Clear = FALSE;
BOOL g_bEepromBit9Clear = FALSE;
BOOL g_bIeee80211h = FALSE;
BOOL g_bRegionValid = FALSE;
BOOL g_bABandRegionValid = FALSE;
int g_nCountryRegion = 0;
int G_enumWirelessMode = 0;
WORD g_nDriverVersion = 0;
BOOL g_bRadioOn = TRUE;
int g_nConfigOwner = 0;
BOOL g_bAllowSecuredConnect = FALSE;
int g_nWpaSupport = 0;
BOOL g_bScanPending = FALSE;
BOOL g_bWepError = FALSE;
BOOL g_bSheetClosing = FALSE;
BOOL g_bProfileApplied = FALSE;

DWORD g_nHtTransmitSetting = 0;
BYTE g_abAdvancedConfig[32] = {};
int g_nClientCertLen = 0;
BYTE* g_pClientCertData = NULL;
int g_nServerCertLen = 0;
BYTE* g_pServerCertData = NULL;

void SetCertDataLength(BYTE** ppData, int* pnLen, int nNewLen)
{
    if (nNewLen < 0)
        nNewLen = 0;
    if (nNewLen == *pnLen && (*ppData != NULL || nNewLen == 0))
        return;
    delete[] * ppData;
    *ppData = NULL;
    *pnLen = 0;
    if (nNewLen == 0)
        return;
    *ppData = new (std::nothrow) BYTE[nNewLen]();
    if (*ppData != NULL)
        *pnLen = nNewLen;
}

HANDLE g_hHelpThread = 0;

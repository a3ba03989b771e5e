#pragma once
// Program-wide state of TessarynUI that the monitor window sets up and the pages read. All of
// it is used on the UI thread only.

#include "adapter/driver/DriverVersion.h" // g_nDriverVersion
#include "adapter/driver/NdisTypes.h"
#include "platform/Windows.h"

class CHideDlg;

extern CHideDlg* g_pHideDlg;
extern NDIS_802_11_SSID g_CurrentSsid;
extern BYTE g_CurrentBssid[6];

extern BOOL g_bWow64;
extern BOOL g_bIsAdmin;
extern BOOL g_bABandSupported;
extern BOOL g_bEepromBit8Clear;
extern BOOL g_bEepromBit9Clear;
extern BOOL g_bIeee80211h;
extern BOOL g_bRegionValid;
extern BOOL g_bABandRegionValid;
extern int g_nCountryRegion;   // the region word, bits 7 and 15 cleared
extern int G_enumWirelessMode; // the wireless-mode code
extern BOOL g_bRadioOn;
extern int g_nConfigOwner;
extern BOOL g_bAllowSecuredConnect;
extern int g_nWpaSupport;
extern BOOL g_bScanPending; // a scan was asked for and its completion has not arrived
extern BOOL g_bWepError;
extern BOOL g_bSheetClosing;
extern BOOL g_bProfileApplied;

// Written by the profile build, sent by the apply.
extern DWORD g_nHtTransmitSetting;
extern BYTE g_abAdvancedConfig[32];
extern int g_nClientCertLen;
extern BYTE* g_pClientCertData;
extern int g_nServerCertLen;
extern BYTE* g_pServerCertData;
// Certificate buffers are new[] arrays whose length is their count: a new length gives a new,
// zero-filled buffer (none for a length of 0 or below).
void SetCertDataLength(BYTE** ppData, int* pnLen, int nNewLen);

// The last help worker started (its handle is closed at once: nothing waits for it).
extern HANDLE g_hHelpThread;

#pragma once
// Program-wide state of TessarynAp beside the adapter state (adapter/discovery/AdapterState.h):
// what start-up, the start sequence and the settings push leave for the tick and the pages. All
// of it lives on the UI thread. Defined in ProgramObjects.cpp, in their order.

#include "platform/Windows.h"

extern BOOL g_bWow64;
extern int g_nCheckBuild; // "bCheckBuild" of the driver key: 1 shows the 11n page

// Set by the start sequence.
extern int g_nBridgeEnabled;      // successful bridging switches in this run
extern BOOL g_bABandSupported;    // the driver lists the 5 GHz OFDM network type
extern BOOL g_bAllowBw40InBgBand; // "AllowBW40InBGBand" is 1
extern BOOL g_bBbpQueried;
// The driver holds a valid country-region code for the band (TRUE until the region check of
// the start sequence finds otherwise); the Config page offers only valid regions.
extern BOOL g_bRegionValid;
extern BOOL g_bABandRegionValid;

// Set by the settings push, read by the pages.
extern int g_nApWirelessMode;
extern int g_nApAuthMode;
extern CString g_strApPassphrase;
extern BOOL g_bWdsAllowed; // the encryption sent is WEP or none

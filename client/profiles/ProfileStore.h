#pragma once
// How a connection profile is kept in the profile file: the codes its keys store, the texts the
// Profile page shows for them, and the reset of the active configuration. The sheet's own
// SaveProfile and LoadProfile (in ProfileStore.cpp) write and read a whole section.

// The channel names and the key texts the profiles store are the shared ground's.
#include "adapter/crypto/HexKeyText.h"
#include "adapter/radio/JapaneseChannels.h"
#include "platform/Windows.h"

class CProfilePage;

// The authentication mode stored for a network type (0 ad hoc, 1 infrastructure): WPA-PSK in
// ad hoc is WPA-None, WPA in ad hoc is Open, WPA-None in infrastructure is WPA-PSK.
int AdjustStoredAuthMode(int nAuthMode, int nNetworkType);
// The NDIS encryption code stored for the page's choice (the LEAP arguments count only with
// bLeap set).
int EncryptionCodeFromChoice(int nAuthMode, int nEncryptIndex, int nNetworkType, BOOL bLeap,
                             BOOL bCcx, int nLeapEncryption);

// Decodes at most nLen bytes of the hex text into pData (nLen bytes); what the text does not
// cover is zeroed.
void HexToBytesZeroFilled(LPCSTR pszHex, BYTE* pData, int nLen);

// Texts of the Profile page's columns for the stored codes.
CString AuthenticationText(int nAuthMode, BOOL bLeap, BOOL bUse8021x);
CString EncryptionText(int nEncryption);
CString NetworkTypeText(int nNetworkType);

// The section name the profile file can hold: no "]" and no line break. A name that fails is
// refused before anything is written (it would be cut or match another section).
BOOL IsStorableProfileName(LPCSTR pszName);

// Writes the default active configuration to "Config" and to the driver key, and clears the
// page's current-profile name. TRUE.
BOOL ResetCurrentConfig(CProfilePage* pPage);

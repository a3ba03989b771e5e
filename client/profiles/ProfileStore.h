#pragma once
// How a connection profile is kept in the profile file: the codes its keys store, the texts the
// Profile page shows for them, and the reset of the active configuration. The sheet's own
// SaveProfile and LoadProfile (in ProfileStore.cpp) write and read a whole section.

#include "platform/Windows.h"

class CProfilePage;

// Channel as stored ("208") from the text shown ("J8"); other texts stay as they are.
CString StoredChannelFromText(LPCSTR pszChannel);
// Channel as shown from the stored number: 208, 212, 216 as "J8", "J12", "J16"; an empty value
// stays empty.
CString ChannelTextFromStored(LPCSTR pszStored);

// The authentication mode stored for a network type (0 ad hoc, 1 infrastructure): WPA-PSK in
// ad hoc is WPA-None, WPA in ad hoc is Open, WPA-None in infrastructure is WPA-PSK.
int AdjustStoredAuthMode(int nAuthMode, int nNetworkType);
// The NDIS encryption code stored for the page's choice (the LEAP arguments count only with
// bLeap set).
int EncryptionCodeFromChoice(int nAuthMode, int nEncryptIndex, int nNetworkType, BOOL bLeap,
                             BOOL bCcx, int nLeapEncryption);

// An ASCII WEP key as stored: two lower-case hex digits per byte, 5 bytes for a 5-character
// key and the first 13 for any other length; empty stays empty.
CString WepAsciiToHex(LPCSTR pszAscii);
// A stored ASCII key back to its characters: TRUE for 10 or 26 hex digits that decode to
// non-zero bytes; otherwise FALSE and strAscii empty.
BOOL WepHexToAscii(LPCSTR pszHex, CString& strAscii);

// Bytes as two lower-case hex digits each.
CString BytesToHex(const BYTE* pData, int nLen);
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

#pragma once
// The one record in which a complete station configuration travels from the profiles to the
// adapter control core: network name and type, radio options, security mode and keys, 802.1X
// settings, power and channel. One block of movable, zero-initialised global memory, locked
// while in use; its key blocks are blocks of their own.
//
// The record stays inside the process, so its key-block fields are plain pointers and its
// size is sizeof(StationProfile); every fixed-width field keeps its place.

#include "platform/Windows.h"

#include <cstddef>

// One key as the driver takes it (the NDIS 802.11 key layout).
struct StationKeyBlock
{
    DWORD Length;   // KeyLength + 39
    DWORD KeyIndex; // key n has index n - 1; bit 31 marks the transmit key
    DWORD KeyLength;
    BYTE Bssid[6]; // FF FF FF FF FF FF
    BYTE Padding[6];
    ULONGLONG KeyRsc;
    BYTE KeyMaterial[1]; // KeyLength bytes
};
static_assert(offsetof(StationKeyBlock, Bssid) == 12);
static_assert(offsetof(StationKeyBlock, KeyRsc) == 24);
static_assert(offsetof(StationKeyBlock, KeyMaterial) == 32);

inline constexpr DWORD STATION_KEY_HEADER = 39; // Length = key length + this
inline constexpr DWORD STATION_KEY_TRANSMIT = 0x80000000u;

struct StationProfile
{
    DWORD BssidGiven; // 1: connect to Bssid only
    DWORD SsidLength; // 0 to 32; with Ssid the NDIS 802.11 SSID
    BYTE Ssid[32];
    BYTE Bssid[6];
    DWORD NetworkType; // 0 ad hoc, 1 infrastructure
    DWORD Preamble;
    DWORD RtsThreshold;
    DWORD FragThreshold;
    LONG AuthenticationMode; // 0 open, 1 shared, 3 WPA, 4 WPA-PSK, 5 WPA-None, 6 WPA2, 7 WPA2-PSK
    DWORD EncryptionStatus;  // 0 WEP, 1 disabled, 4 TKIP, 6 AES
    DWORD TxPower;
    StationKeyBlock* pWpaNoneKey; // authentication mode 5 only
    DWORD WpaNoneKeySize;
    StationKeyBlock* pWepKey1;
    DWORD WepKey1Size;
    StationKeyBlock* pWepKey2;
    DWORD WepKey2Size;
    StationKeyBlock* pWepKey3;
    DWORD WepKey3Size;
    StationKeyBlock* pWepKey4;
    DWORD WepKey4Size;
    DWORD PowerMode;
    DWORD CamOnAcPower;
    DWORD AdhocChannelFrequency; // kHz
    DWORD Reserved1;             // 1 in every record
    DWORD bSetAdvance;
    DWORD Reserved2; // 0 in every record
    BYTE DesiredRates[8];
    BYTE AdvancedConfig[32]; // the 0x0D710111 record
    DWORD CCX2Control;
    DWORD CountryRegion;
    DWORD Use8021X;
    DWORD AuthenProtocol;
    DWORD TunnelProtocol;
    DWORD ProvisioningTunnel;
    DWORD TtlsInnerMethod;
    DWORD SessionResumption;
    DWORD UseClientCert;
    DWORD UseServerCert;
    DWORD UsePAC;
    DWORD ProvisionMode;
    char PACFilePath[256];
    DWORD IntermediateCert;
    DWORD NameRule;
    char ID[128];
    char Password[128];
    char TunnelID[128];
    char TunnelPassword[128];
    char ServerName[128];
    BYTE WpaPassphrase[64]; // not terminated when 64 characters long
    DWORD WpaPassphraseLength;
    DWORD PasswordMode;
    BYTE LeapEnabled;
    BYTE CCKM;
    char LeapUserName[256];
    DWORD LeapUserNameLength;
    char LeapPassword[256];
    DWORD LeapPasswordLength;
    char ProfileName[100];    // at most 99 characters
    DWORD ConnectThroughWlan; // 1: connect through the WLAN service before the driver sets
};
// Every field at its place in the 32-bit layout. A native pointer wider than 32 bits adds its
// extra width and as much alignment padding before it, which moves every later field back.
inline constexpr std::size_t STATION_POINTER_EXTRA = sizeof(void*) - 4;
static_assert(alignof(StationProfile) == alignof(void*));
static_assert(offsetof(StationProfile, BssidGiven) == 0);
static_assert(offsetof(StationProfile, SsidLength) == 4);
static_assert(offsetof(StationProfile, Ssid) == 8);
static_assert(offsetof(StationProfile, Bssid) == 40);
static_assert(offsetof(StationProfile, NetworkType) == 48);
static_assert(offsetof(StationProfile, Preamble) == 52);
static_assert(offsetof(StationProfile, RtsThreshold) == 56);
static_assert(offsetof(StationProfile, FragThreshold) == 60);
static_assert(offsetof(StationProfile, AuthenticationMode) == 64);
static_assert(offsetof(StationProfile, EncryptionStatus) == 68);
static_assert(offsetof(StationProfile, TxPower) == 72);
static_assert(offsetof(StationProfile, pWpaNoneKey) == 76 + STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, WpaNoneKeySize) == 80 + 2 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, pWepKey1) == 84 + 3 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, WepKey1Size) == 88 + 4 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, pWepKey2) == 92 + 5 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, WepKey2Size) == 96 + 6 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, pWepKey3) == 100 + 7 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, WepKey3Size) == 104 + 8 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, pWepKey4) == 108 + 9 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, WepKey4Size) == 112 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, PowerMode) == 116 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, CamOnAcPower) == 120 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, AdhocChannelFrequency) == 124 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, Reserved1) == 128 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, bSetAdvance) == 132 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, Reserved2) == 136 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, DesiredRates) == 140 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, AdvancedConfig) == 148 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, CCX2Control) == 180 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, CountryRegion) == 184 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, Use8021X) == 188 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, AuthenProtocol) == 192 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, TunnelProtocol) == 196 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, ProvisioningTunnel) == 200 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, TtlsInnerMethod) == 204 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, SessionResumption) == 208 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, UseClientCert) == 212 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, UseServerCert) == 216 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, UsePAC) == 220 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, ProvisionMode) == 224 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, PACFilePath) == 228 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, IntermediateCert) == 484 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, NameRule) == 488 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, ID) == 492 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, Password) == 620 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, TunnelID) == 748 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, TunnelPassword) == 876 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, ServerName) == 1004 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, WpaPassphrase) == 1132 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, WpaPassphraseLength) == 1196 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, PasswordMode) == 1200 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, LeapEnabled) == 1204 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, CCKM) == 1205 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, LeapUserName) == 1206 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, LeapUserNameLength) == 1464 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, LeapPassword) == 1468 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, LeapPasswordLength) == 1724 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, ProfileName) == 1728 + 10 * STATION_POINTER_EXTRA);
static_assert(offsetof(StationProfile, ConnectThroughWlan) == 1828 + 10 * STATION_POINTER_EXTRA);
static_assert(sizeof(StationProfile) == 1832 + 10 * STATION_POINTER_EXTRA);

// The WEP key blocks by number (1 to 4); null for another number.
inline StationKeyBlock** WepKeyBlock(StationProfile* p, int n)
{
    switch (n)
    {
    case 1:
        return &p->pWepKey1;
    case 2:
        return &p->pWepKey2;
    case 3:
        return &p->pWepKey3;
    case 4:
        return &p->pWepKey4;
    default:
        return nullptr;
    }
}
inline DWORD* WepKeyBlockSize(StationProfile* p, int n)
{
    switch (n)
    {
    case 1:
        return &p->WepKey1Size;
    case 2:
        return &p->WepKey2Size;
    case 3:
        return &p->WepKey3Size;
    case 4:
        return &p->WepKey4Size;
    default:
        return nullptr;
    }
}
inline const StationKeyBlock* WepKeyBlock(const StationProfile* p, int n)
{
    return n >= 1 && n <= 4 ? *WepKeyBlock(const_cast<StationProfile*>(p), n) : nullptr;
}
inline DWORD WepKeyBlockSize(const StationProfile* p, int n)
{
    return n >= 1 && n <= 4 ? *WepKeyBlockSize(const_cast<StationProfile*>(p), n) : 0;
}

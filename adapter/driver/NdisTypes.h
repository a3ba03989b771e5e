#pragma once
// The NDIS 802.11 records that the client keeps and hands to its pages: the SSID, the radio
// configuration, one scan-list entry and the link statistics, in the driver interface's layout.

#include "platform/Windows.h"

#include <cstddef>

#pragma pack(push, 4)

struct NDIS_802_11_SSID
{
    ULONG SsidLength; // 0 to 32
    UCHAR Ssid[32];
};
static_assert(sizeof(NDIS_802_11_SSID) == 36);

struct NDIS_802_11_CONFIGURATION_FH
{
    ULONG Length;
    ULONG HopPattern;
    ULONG HopSet;
    ULONG DwellTime;
};

struct NDIS_802_11_CONFIGURATION
{
    ULONG Length;
    ULONG BeaconPeriod;
    ULONG ATIMWindow;
    ULONG DSConfig; // centre frequency in kHz
    NDIS_802_11_CONFIGURATION_FH FHConfig;
};
static_assert(sizeof(NDIS_802_11_CONFIGURATION) == 32);

// One entry of the scan list. Entries lie back to back; each is Length bytes long and its
// information elements follow the fixed part.
struct NDIS_WLAN_BSSID_EX
{
    ULONG Length; // 116 + IELength
    UCHAR MacAddress[6];
    UCHAR Reserved[2];
    NDIS_802_11_SSID Ssid;
    ULONG Privacy;
    LONG Rssi; // dBm
    ULONG NetworkTypeInUse;
    NDIS_802_11_CONFIGURATION Configuration;
    ULONG InfrastructureMode; // 0 ad hoc, 1 infrastructure, 2 other
    UCHAR SupportedRates[16];
    ULONG IELength;
    UCHAR IEs[1];
};
static_assert(offsetof(NDIS_WLAN_BSSID_EX, Ssid) == 12);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, Privacy) == 48);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, Configuration) == 60);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, InfrastructureMode) == 92);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, IELength) == 112);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, IEs) == 116);

// The fixed part of an entry, and the size of each scan-list buffer (the entry count included).
inline constexpr ULONG NDIS_WLAN_BSSID_EX_FIXED = 116;
inline constexpr ULONG BSSID_LIST_BYTES = 65536;
// The most entries a list can hold (every one without elements).
inline constexpr ULONG BSSID_LIST_MAX_ENTRIES = (BSSID_LIST_BYTES - 4) / NDIS_WLAN_BSSID_EX_FIXED;

// The link counters (OID_802_11_STATISTICS), all 64 bits.
struct LinkStatistics
{
    ULONG Length;
    ULONG Reserved;
    ULONGLONG TransmittedFragmentCount;
    ULONGLONG MulticastTransmittedFrameCount;
    ULONGLONG FailedCount;
    ULONGLONG RetryCount;
    ULONGLONG MultipleRetryCount;
    ULONGLONG RTSSuccessCount;
    ULONGLONG RTSFailureCount;
    ULONGLONG ACKFailureCount;
    ULONGLONG FrameDuplicateCount;
    ULONGLONG ReceivedFragmentCount;
    ULONGLONG MulticastReceivedFrameCount;
    ULONGLONG FCSErrorCount;
    ULONGLONG TKIPLocalMICFailures;
    ULONGLONG TKIPICVErrorCount;
    ULONGLONG TKIPCounterMeasuresInvoked;
    ULONGLONG TKIPReplays;
    ULONGLONG CCMPFormatErrors;
    ULONGLONG CCMPReplays;
    ULONGLONG CCMPDecryptErrors;
    ULONGLONG FourWayHandshakeFailures;
    ULONGLONG WEPUndecryptableCount;
    ULONGLONG WEPICVErrorCount;
    ULONGLONG DecryptSuccessCount;
    ULONGLONG DecryptFailureCount;
};
static_assert(offsetof(LinkStatistics, TransmittedFragmentCount) == 8);
static_assert(offsetof(LinkStatistics, FrameDuplicateCount) == 72);
static_assert(offsetof(LinkStatistics, MulticastReceivedFrameCount) == 88);
static_assert(offsetof(LinkStatistics, FCSErrorCount) == 96);
static_assert(sizeof(LinkStatistics) == 200);

#pragma pack(pop)

// A BSSID of six zero bytes: no access point.
inline BOOL IsZeroMac(const BYTE* pMac)
{
    for (int i = 0; i < 6; i++)
    {
        if (pMac[i] != 0)
            return FALSE;
    }
    return TRUE;
}

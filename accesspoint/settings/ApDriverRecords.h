#pragma once
// The records the settings push sends to the driver, in the driver's layout (little-endian,
// 32-bit Windows alignment), and the identifiers they travel with. Sets are named as they are
// passed to OidSetInformation, which adds bit 23 to every code.

#include "platform/Windows.h"

#include <cstddef>

#define OID_AP_CURRENT_ADDRESS 0x01010102 // 6 bytes: the adapter's MAC address
#define OID_AP_SSID 0x0D010102            // NDIS_802_11_SSID; the set starts the access point
#define OID_AP_AUTHENTICATION 0x0D010118  // u32 authentication code
#define OID_AP_ENCRYPTION 0x0D01011B      // u32 encryption code
#define OID_AP_ADD_KEY 0x0D01011D         // NDIS 802.11 key add
#define OID_AP_REMOVE_KEY 0x0D01011E      // AP_KEY_REMOVE
#define OID_AP_FRAG_THRESHOLD 0x0D010209  // u32
#define OID_AP_RTS_THRESHOLD 0x0D01020A   // u32
#define OID_AP_RATES 0x0D010210           // 8 rates in 500 kbit/s units
#define OID_AP_CONFIGURATION 0x0D010211   // NDIS_802_11_CONFIGURATION
#define OID_AP_PREAMBLE_QUERY 0x0D710101
#define OID_AP_PREAMBLE_SET 0x0DF10101
#define OID_AP_WIRELESS_MODE_SET 0x0DF1010C
#define OID_AP_ADVANCED_QUERY 0x0D71010F
#define OID_AP_ADVANCED_SET 0x0DF1010F
#define OID_AP_ACCESS_CONTROL_SET 0x0DF10110
#define OID_AP_WDS_SET 0x0DF10112
#define OID_AP_RADIUS_QUERY 0x0D710113
#define OID_AP_RADIUS_SET 0x0DF10113
#define OID_AP_REKEY_QUERY 0x0D710114
#define OID_AP_REKEY_SET 0x0DF10114
#define OID_AP_TX_POWER_SET 0x0DF10118
#define OID_AP_HT_SETTING_SET 0x0DF1013B

// The 802.11n transmit settings, from the "TransmitSetting" word.
struct AP_HT_SETTING
{
    DWORD WirelessMode; // bits 0-3
    BYTE PhyMode;       // bits 14-15
    BYTE HtMode;        // bit 16: 0 mixed mode, 1 greenfield
    BYTE ExtChannel;    // bits 17-18: 0 none, 1 above, 3 below
    BYTE Mcs;           // bits 4-10
    BYTE Bandwidth;     // bit 11: 0 20 MHz, 1 40 MHz
    BYTE Stbc;          // bit 13
    BYTE GuardInterval; // bit 12
    BYTE Reserved;
};
static_assert(sizeof(AP_HT_SETTING) == 12);

struct AP_ADVANCED_CONFIG
{
    DWORD TxBurst;
    DWORD TurboRate;
    DWORD NoForwarding;
    DWORD HideSsid;
    DWORD BgProtection;
    DWORD ShortSlot;
    WORD IdleTime;
    BYTE Reserved[6]; // the driver's own: sent back as it answered them
};
static_assert(sizeof(AP_ADVANCED_CONFIG) == 32);

struct AP_RADIUS_CONFIG
{
    DWORD Address; // first octet in the most significant byte
    DWORD Port;
    char Key[64];
};
static_assert(sizeof(AP_RADIUS_CONFIG) == 72);

struct AP_REKEY_CONFIG
{
    DWORD Method; // 0 interval in 10 s units, 1 in thousands of packets
    DWORD Interval;
};
static_assert(sizeof(AP_REKEY_CONFIG) == 8);

// The NDIS 802.11 key add: Length (39 + key length), KeyIndex (bit 31 the transmit key),
// KeyLength, BSSID, 6 padding bytes, 8 bytes of key RSC, then the key from offset 32.
#define AP_KEY_HEADER 39
#define AP_KEY_MATERIAL_OFFSET 32
#define AP_KEY_TRANSMIT 0x80000000u
#define AP_PSK_LENGTH 32

struct AP_KEY_REMOVE
{
    DWORD Length; // 16
    DWORD KeyIndex;
    BYTE Bssid[6]; // FF-FF-FF-FF-FF-FF
    BYTE Padding[2];
};
static_assert(sizeof(AP_KEY_REMOVE) == 16);

#define AP_ACCESS_CONTROL_ENTRIES 32

struct AP_ACCESS_CONTROL
{
    DWORD Policy; // 0 disabled, 1 allow listed, 2 reject listed
    DWORD Count;
    BYTE Entries[AP_ACCESS_CONTROL_ENTRIES][8]; // 6 address bytes, 2 zero bytes
};
static_assert(sizeof(AP_ACCESS_CONTROL) == 264);

#define AP_WDS_PEERS 3

struct AP_WDS_CONFIG
{
    DWORD Count; // 0: WDS off
    BYTE Peers[AP_WDS_PEERS][6];
    BYTE Padding[2];
    DWORD KeyLength;
    BYTE Key[32];
};
static_assert(offsetof(AP_WDS_CONFIG, KeyLength) == 24);
static_assert(offsetof(AP_WDS_CONFIG, Key) == 28);
static_assert(sizeof(AP_WDS_CONFIG) == 60);

#pragma once
// The 802.11n aggregation and block-ack records that both configuration programs exchange with
// the driver, the 11n page's view of the aggregation record, and its packed form, the
// "BACapability" word. The programs differ only in the codes they send them with and where they
// keep the word.

#include "platform/Windows.h"

#include <cstddef>

#pragma pack(push, 1)

// Aggregation and MIMO power-save settings, byte by byte.
struct AggregationRequest
{
    BYTE SecondValue;
    BYTE FirstValue;
    BYTE MpduAggregation; // 1 on, 2 off; read back, 1 means on
    BYTE Density;
    BYTE Amsdu;
    BYTE AmsduSize;
    BYTE MimoPowerSave; // 3 SM enable, 0 static, 1 dynamic
    BYTE Policy;        // 1 automatic, 0 manual
};
static_assert(sizeof(AggregationRequest) == 8);

// Adds or tears down a block-ack session with a peer.
struct BaSessionRequest
{
    BYTE Direction; // 0 originator, 1 recipient
    BYTE PeerMac[6];
    BYTE Tid;
    BYTE WindowSize; // 0 in a delete request
    BYTE Reserved1;
    WORD Reserved2;
    BYTE AllSessions; // delete: 1 tears down every session with the peer
    BYTE Reserved3;
};
static_assert(sizeof(BaSessionRequest) == 14);
static_assert(offsetof(BaSessionRequest, Reserved2) == 10);
static_assert(offsetof(BaSessionRequest, AllSessions) == 12);

#define BA_TID_COUNT 8
#define BA_PEER_ENTRIES 32

// One peer of the driver's session table.
struct BaPeerEntry
{
    BYTE PeerMac[6];
    BYTE TidBitmap; // bit k: a session for TID k
    BYTE Reserved;
    BYTE TidValue[BA_TID_COUNT];   // shown in the lists (the window size)
    BYTE TidSlot[BA_TID_COUNT][4]; // the first two bytes of each: a 16-bit value per TID
};
static_assert(sizeof(BaPeerEntry) == 48);

// The sessions the adapter holds, as originator and as recipient.
struct BaSessionTable
{
    BaPeerEntry Originator[BA_PEER_ENTRIES];
    BaPeerEntry Recipient[BA_PEER_ENTRIES];
    BYTE OriginatorCount; // entries in use
    BYTE RecipientCount;
    BYTE Reserved[2];
};
static_assert(sizeof(BaSessionTable) == 3076);
static_assert(offsetof(BaSessionTable, Recipient) == 1536);
static_assert(offsetof(BaSessionTable, OriginatorCount) == 3072);

#pragma pack(pop)

#define BA_ORIGINATOR 0
#define BA_RECIPIENT 1

// The page's fields of an aggregation record, as its controls hold them.
struct BaSettings
{
    BaSettings();

    int nPolicy;          // 0 "Manual", 1 "Auto"
    int bMpduAggregation; // 0 or 1
    BYTE FirstValue;      // byte 1 of the record, carried unchanged
    BYTE SecondValue;     // byte 0
    CString strDensity;   // decimal text of the MPDU density
    int bAmsdu;
    int nAmsduSize; // 0 "Max: 3839", 1 "Max: 7935"
    int nSmps;      // 0 "SM enable", 1 "Static SMPS", 2 "Dynamic SMPS"
};

AggregationRequest BuildAggregationRequest(const BaSettings& settings);
// The size index is taken only when A-MSDU is on; otherwise A-MSDU becomes off and the size index
// stays.
void ReadAggregationRequest(const AggregationRequest& request, BaSettings& settings);

// Bits 0-7 byte 0, 8-15 byte 1, 16 byte 7, 17-18 byte 2, 19-21 byte 3, 22 byte 4, 23 byte 5,
// 24-25 byte 6; each byte cut to its bits.
DWORD PackBaCapability(const AggregationRequest& request);
AggregationRequest UnpackBaCapability(DWORD dwCapability);

// Queries the aggregation record into the settings; a failed query reads as an all-zero record.
void QueryBaSettings(DWORD dwQueryOid, BaSettings& settings);
// TRUE when the driver answered with any bytes; *pTable then holds the table.
BOOL QueryBaSessionTable(DWORD dwQueryOid, BaSessionTable* pTable);

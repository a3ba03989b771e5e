#pragma once
// One typed operation per driver setting, so that pages and the monitor window name the
// setting instead of its object identifier. Sets go out with the 0xFF800000 set form and three
// attempts (a failed one is retried by the retry queue); queries are sent once.

#include "adapter/blockack/BlockAckRecords.h" // AggregationRequest, BaSessionRequest
#include "platform/Windows.h"

#include <cstddef>

#pragma pack(push, 1)

// The desired rate set of a wireless mode.
struct RateSetRequest
{
    DWORD NumRates;  // rate bytes that follow
    BYTE Rates[128]; // 500 kbit/s units, bit 7 marks a basic rate; the rest zero
};
static_assert(sizeof(RateSetRequest) == 132);

// 802.11n transmit settings.
struct HtPhyModeRequest
{
    DWORD WirelessMode;
    BYTE PhyMode;
    BYTE HtMode;
    BYTE ExtChannelOffset;
    BYTE Mcs;
    BYTE Bandwidth;
    BYTE Stbc;
    BYTE GuardInterval;
    BYTE Reserved;
};
static_assert(sizeof(HtPhyModeRequest) == 12);
static_assert(offsetof(HtPhyModeRequest, GuardInterval) == 10);

// Reads or writes one register of the adapter.
struct RegisterAccessRequest
{
    DWORD Kind; // 0 MAC, 1 BBP, 3 EEPROM word
    DWORD Address;
    DWORD Value; // filled by the driver on a query
};
static_assert(sizeof(RegisterAccessRequest) == 12);

// Station or access-point operation.
struct OpModeRequest
{
    DWORD Reserved; // zero
    DWORD Mode;     // 1 station, 2 access point
};
static_assert(sizeof(OpModeRequest) == 8);

#pragma pack(pop)

#define OID_QUERY_CURRENT_ADDRESS 0x0D010702
#define OID_OP_MODE 0x0D010308
#define OID_RATE_SET 0x0D01031A
#define OID_PHY_MODE 0xFF0C0002
#define OID_COUNTRY_REGION 0xFF0C0003
#define OID_CHANNEL 0xFF0C0006
#define OID_TX_POWER 0xFF0C0007
#define OID_REGISTER 0xFF0C0008
#define OID_ADD_BA_SESSION 0xFF0C0025
#define OID_AGGREGATION 0xFF0C0026
#define OID_DELETE_BA_SESSION 0xFF0C0027
#define OID_HT_PHY_MODE 0xFF0C0028

// The request of the 32-bit transmit-setting word W: mode W[0-3], PHY W[14-15], HT mode W[16],
// extension channel W[17-18], MCS W[4-10], bandwidth W[11], STBC W[13], guard interval W[12].
HtPhyModeRequest HtPhyModeFromTransmitSetting(DWORD dwTransmitSetting);

class OidAccessor
{
public:
    BOOL QueryCurrentAddress(BYTE* pAddress); // 6 bytes

    BOOL QueryPhyMode(DWORD* pdwMode);
    BOOL SetPhyMode(DWORD dwMode);

    BOOL QueryCountryRegionByte(DWORD* pdwRegion);
    BOOL SetCountryRegion(DWORD dwRegion);

    BOOL QueryChannel(DWORD* pdwChannel);

    BOOL QueryTxPower(DWORD* pdwPercent);
    // nCode: 0 automatic, 1 100%, 2 75%, 3 50%, 4 25%, 5 10%, 6 lowest.
    BOOL SetTxPower(int nCode);

    // bApMode 1 switches to access-point operation, anything else to station operation.
    BOOL SetOpMode(int bApMode);
    // *pbApMode is 1 in access-point operation, 0 otherwise (also when the query fails).
    BOOL QueryOpMode(int* pbApMode);

    // The supported rates followed by the extended ones; more than 128 bytes are cut.
    BOOL SetRateSet(const BYTE* pRates, DWORD nRates, const BYTE* pExtRates, DWORD nExtRates);

    BOOL SetHtPhyMode(const HtPhyModeRequest& request);

    BOOL AddBaSession(BYTE nDirection, const BYTE* pPeerMac, BYTE nTid, BYTE nWindowSize);
    BOOL DeleteBaSession(BYTE nDirection, const BYTE* pPeerMac, BYTE nTid, BOOL bAllSessions);

    BOOL SetAggregation(const AggregationRequest& request);

    BOOL SetRegister(DWORD dwKind, DWORD dwAddress, DWORD dwValue);

private:
    BOOL QueryDword(DWORD Oid, DWORD* pdwValue);
    BOOL Set(DWORD Oid, LPVOID pData, DWORD Length);
};

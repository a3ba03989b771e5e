#include "client/access/OidAccessor.h"

#include "adapter/driver/DriverRequest.h"

#include <cstring>

namespace
{

const int kSetAttempts = 3;

BYTE Bits(DWORD dwWord, int nFirst, int nCount)
{
    return static_cast<BYTE>((dwWord >> nFirst) & ((1u << nCount) - 1));
}

} // namespace

HtPhyModeRequest HtPhyModeFromTransmitSetting(DWORD w)
{
    HtPhyModeRequest request;
    memset(&request, 0, sizeof(request));
    request.WirelessMode = w & 0x0F;
    request.PhyMode = Bits(w, 14, 2);
    request.HtMode = Bits(w, 16, 1);
    request.ExtChannelOffset = Bits(w, 17, 2);
    request.Mcs = Bits(w, 4, 7);
    request.Bandwidth = Bits(w, 11, 1);
    request.Stbc = Bits(w, 13, 1);
    request.GuardInterval = Bits(w, 12, 1);
    return request;
}

BOOL OidAccessor::QueryDword(DWORD Oid, DWORD* pdwValue)
{
    DWORD dwValue = 0;
    DWORD dwReturned = 0;
    if (!OidQueryInformation(Oid, &dwValue, sizeof(dwValue), &dwReturned))
        return FALSE;
    if (pdwValue != NULL)
        *pdwValue = dwValue;
    return TRUE;
}

BOOL OidAccessor::Set(DWORD Oid, LPVOID pData, DWORD Length)
{
    DWORD dwReturned = 0;
    return OidSetInformationEx(Oid, pData, Length, &dwReturned, 1, kSetAttempts);
}

BOOL OidAccessor::QueryCurrentAddress(BYTE* pAddress)
{
    BYTE address[6];
    memset(address, 0, sizeof(address));
    DWORD dwReturned = 0;
    if (!OidQueryInformation(OID_QUERY_CURRENT_ADDRESS, address, sizeof(address), &dwReturned))
        return FALSE;
    if (pAddress != NULL)
        memcpy(pAddress, address, sizeof(address));
    return TRUE;
}

BOOL OidAccessor::QueryPhyMode(DWORD* pdwMode)
{
    return QueryDword(OID_PHY_MODE, pdwMode);
}

BOOL OidAccessor::SetPhyMode(DWORD dwMode)
{
    return Set(OID_PHY_MODE, &dwMode, sizeof(dwMode));
}

BOOL OidAccessor::QueryCountryRegionByte(DWORD* pdwRegion)
{
    return QueryDword(OID_COUNTRY_REGION, pdwRegion);
}

BOOL OidAccessor::SetCountryRegion(DWORD dwRegion)
{
    return Set(OID_COUNTRY_REGION, &dwRegion, sizeof(dwRegion));
}

BOOL OidAccessor::QueryChannel(DWORD* pdwChannel)
{
    return QueryDword(OID_CHANNEL, pdwChannel);
}

BOOL OidAccessor::QueryTxPower(DWORD* pdwPercent)
{
    return QueryDword(OID_TX_POWER, pdwPercent);
}

BOOL OidAccessor::SetTxPower(int nCode)
{
    static const DWORD kPercent[] = {0xFFFFFFFF, 100, 75, 50, 25, 10, 6};
    DWORD dwPercent = 0xFFFFFFFF;
    if (nCode >= 0 && nCode < static_cast<int>(sizeof(kPercent) / sizeof(kPercent[0])))
        dwPercent = kPercent[nCode];
    return Set(OID_TX_POWER, &dwPercent, sizeof(dwPercent));
}

BOOL OidAccessor::SetOpMode(int bApMode)
{
    OpModeRequest request;
    request.Reserved = 0;
    request.Mode = (bApMode == 1) ? 2 : 1;
    return Set(OID_OP_MODE, &request, sizeof(request));
}

BOOL OidAccessor::QueryOpMode(int* pbApMode)
{
    OpModeRequest request;
    memset(&request, 0, sizeof(request));
    DWORD dwReturned = 0;
    BOOL bResult = OidQueryInformation(OID_OP_MODE, &request, sizeof(request), &dwReturned);
    if (pbApMode != NULL)
        *pbApMode = (bResult && request.Mode == 2) ? 1 : 0;
    return bResult;
}

BOOL OidAccessor::SetRateSet(const BYTE* pRates, DWORD nRates, const BYTE* pExtRates,
                             DWORD nExtRates)
{
    RateSetRequest request;
    memset(&request, 0, sizeof(request));
    const DWORD nMax = sizeof(request.Rates);
    if (pRates == NULL)
        nRates = 0;
    if (pExtRates == NULL)
        nExtRates = 0;
    if (nRates > nMax)
        nRates = nMax;
    if (nExtRates > nMax - nRates)
        nExtRates = nMax - nRates;
    if (nRates != 0)
        memcpy(request.Rates, pRates, nRates);
    if (nExtRates != 0)
        memcpy(request.Rates + nRates, pExtRates, nExtRates);
    request.NumRates = nRates + nExtRates;
    return Set(OID_RATE_SET, &request, sizeof(request));
}

BOOL OidAccessor::SetHtPhyMode(const HtPhyModeRequest& request)
{
    HtPhyModeRequest copy = request;
    return Set(OID_HT_PHY_MODE, &copy, sizeof(copy));
}

BOOL OidAccessor::AddBaSession(BYTE nDirection, const BYTE* pPeerMac, BYTE nTid, BYTE nWindowSize)
{
    BaSessionRequest request;
    memset(&request, 0, sizeof(request));
    request.Direction = nDirection;
    if (pPeerMac != NULL)
        memcpy(request.PeerMac, pPeerMac, sizeof(request.PeerMac));
    request.Tid = nTid;
    request.WindowSize = nWindowSize;
    return Set(OID_ADD_BA_SESSION, &request, sizeof(request));
}

BOOL OidAccessor::DeleteBaSession(BYTE nDirection, const BYTE* pPeerMac, BYTE nTid,
                                  BOOL bAllSessions)
{
    BaSessionRequest request;
    memset(&request, 0, sizeof(request));
    request.Direction = nDirection;
    if (pPeerMac != NULL)
        memcpy(request.PeerMac, pPeerMac, sizeof(request.PeerMac));
    request.Tid = nTid;
    request.AllSessions = bAllSessions ? 1 : 0;
    return Set(OID_DELETE_BA_SESSION, &request, sizeof(request));
}

BOOL OidAccessor::SetAggregation(const AggregationRequest& request)
{
    AggregationRequest copy = request;
    return Set(OID_AGGREGATION, &copy, sizeof(copy));
}

BOOL OidAccessor::SetRegister(DWORD dwKind, DWORD dwAddress, DWORD dwValue)
{
    RegisterAccessRequest request;
    request.Kind = dwKind;
    request.Address = dwAddress;
    request.Value = dwValue;
    return Set(OID_REGISTER, &request, sizeof(request));
}

#include "adapter/blockack/BlockAckRecords.h"

#include "adapter/driver/DriverRequest.h"

#include <cstdlib>
#include <cstring>

namespace
{

// The record's code of each SMPS choice, and back.
const BYTE kSmpsCode[3] = {3, 0, 1};

int SmpsIndexOfCode(BYTE nCode)
{
    if (nCode == 0)
        return 1;
    if (nCode == 1)
        return 2;
    return 0;
}

DWORD Field(BYTE nValue, int nBits, int nShift)
{
    return (static_cast<DWORD>(nValue) & ((1u << nBits) - 1)) << nShift;
}

BYTE Bits(DWORD dwWord, int nBits, int nShift)
{
    return static_cast<BYTE>((dwWord >> nShift) & ((1u << nBits) - 1));
}

} // namespace

BaSettings::BaSettings()
    : nPolicy(1), bMpduAggregation(1), FirstValue(32), SecondValue(32), strDensity("0"), bAmsdu(1),
      nAmsduSize(0), nSmps(0)
{
}

AggregationRequest BuildAggregationRequest(const BaSettings& s)
{
    AggregationRequest request;
    memset(&request, 0, sizeof(request));
    request.SecondValue = s.SecondValue;
    request.FirstValue = s.FirstValue;
    request.MpduAggregation = s.bMpduAggregation ? 1 : 2;
    // Sent as typed: the driver takes the low byte of any number.
    request.Density = static_cast<BYTE>(atoi(s.strDensity));
    request.Amsdu = static_cast<BYTE>(s.bAmsdu);
    request.AmsduSize = static_cast<BYTE>(s.nAmsduSize);
    request.MimoPowerSave = s.nSmps >= 0 && s.nSmps <= 2 ? kSmpsCode[s.nSmps] : kSmpsCode[0];
    request.Policy = s.nPolicy == 1 ? 1 : 0;
    return request;
}

void ReadAggregationRequest(const AggregationRequest& r, BaSettings& s)
{
    s.SecondValue = r.SecondValue;
    s.FirstValue = r.FirstValue;
    s.bMpduAggregation = r.MpduAggregation == 1 ? 1 : 0;
    s.strDensity.Format("%d", r.Density);
    if (r.Amsdu == 1)
    {
        s.bAmsdu = 1;
        s.nAmsduSize = r.AmsduSize;
    }
    else
        s.bAmsdu = 0;
    s.nSmps = SmpsIndexOfCode(r.MimoPowerSave);
    s.nPolicy = r.Policy == 1 ? 1 : 0;
}

DWORD PackBaCapability(const AggregationRequest& r)
{
    return Field(r.SecondValue, 8, 0) | Field(r.FirstValue, 8, 8) | Field(r.Policy, 1, 16) |
           Field(r.MpduAggregation, 2, 17) | Field(r.Density, 3, 19) | Field(r.Amsdu, 1, 22) |
           Field(r.AmsduSize, 1, 23) | Field(r.MimoPowerSave, 2, 24);
}

AggregationRequest UnpackBaCapability(DWORD w)
{
    AggregationRequest r;
    r.SecondValue = Bits(w, 8, 0);
    r.FirstValue = Bits(w, 8, 8);
    r.Policy = Bits(w, 1, 16);
    r.MpduAggregation = Bits(w, 2, 17);
    r.Density = Bits(w, 3, 19);
    r.Amsdu = Bits(w, 1, 22);
    r.AmsduSize = Bits(w, 1, 23);
    r.MimoPowerSave = Bits(w, 2, 24);
    return r;
}

void QueryBaSettings(DWORD dwQueryOid, BaSettings& settings)
{
    AggregationRequest request;
    memset(&request, 0, sizeof(request));
    DWORD dwReturned = 0;
    OidQueryInformation(dwQueryOid, &request, sizeof(request), &dwReturned);
    ReadAggregationRequest(request, settings);
}

BOOL QueryBaSessionTable(DWORD dwQueryOid, BaSessionTable* pTable)
{
    memset(pTable, 0, sizeof(*pTable));
    DWORD dwReturned = 0;
    if (!OidQueryInformation(dwQueryOid, pTable, sizeof(*pTable), &dwReturned))
        return FALSE;
    return dwReturned != 0;
}

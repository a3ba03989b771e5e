#include "client/access/SecurityIes.h"

#include <cstddef>
#include <cstring>

namespace
{

const BYTE WPA_OUI[3] = {0x00, 0x50, 0xF2};
const BYTE RSN_OUI[3] = {0x00, 0x0F, 0xAC};
const BYTE WPA_ELEMENT[4] = {0x00, 0x50, 0xF2, 0x01};
const BYTE HT_VENDOR_ELEMENT[4] = {0x00, 0x90, 0x4C, 0x33};

const BYTE IE_VENDOR = 221;
const BYTE IE_RSN = 48;
const BYTE IE_HT_OPERATION = 61;

// The first AKM suite of an element sets one of these.
struct AkmOutputs
{
    int* pbEnterprise;
    int* pbPsk;
    int* pbNone;
};

void RecordCipher(BYTE type, BssSecurity* pOut)
{
    if (type == 2)
        pOut->bTkip = 1;
    else if (type == 3)
        pOut->bWrap = 1;
    else if (type == 4)
        pOut->bCcmp = 1;
}

// Entries lie back to back at any alignment: fields are read by their offset.
ULONG ReadEntryField(const NDIS_WLAN_BSSID_EX* pEntry, size_t nOffset)
{
    ULONG nValue;
    memcpy(&nValue, reinterpret_cast<const BYTE*>(pEntry) + nOffset, sizeof(nValue));
    return nValue;
}

UINT ReadCount(const BYTE* p)
{
    return p[0] | (p[1] << 8);
}

// Reads the suites that follow the version field: the group suite, the pairwise list and the
// first AKM suite. nBytes is what is left of the element. Returns FALSE when the walk must end:
// a foreign group suite, or a list that runs past the element.
BOOL ReadSuites(const BYTE* p, UINT nBytes, const BYTE* pOui, ULONG nInfraMode,
                const AkmOutputs& akm, BssSecurity* pOut)
{
    if (nBytes < 4 || memcmp(p, pOui, 3) != 0)
        return FALSE;
    RecordCipher(p[3], pOut);

    UINT nPos = 4;
    if (nPos + 2 > nBytes)
        return FALSE;
    UINT nPairwise = ReadCount(p + nPos);
    nPos += 2;
    for (UINT i = 0; i < nPairwise; i++)
    {
        const BYTE* pSuite = p + nPos + i * 4;
        if (nPos + i * 4 + 4 > nBytes)
            return FALSE;
        if (memcmp(pSuite, pOui, 3) != 0)
            break;
        RecordCipher(pSuite[3], pOut);
    }

    // The AKM list follows the declared pairwise list, however far the loop above read.
    nPos += nPairwise * 4;
    if (nPos + 2 > nBytes)
        return FALSE;
    UINT nAkm = ReadCount(p + nPos);
    nPos += 2;
    if (nAkm == 0)
        return TRUE;
    if (nPos + 4 > nBytes)
        return FALSE;
    const BYTE* pSuite = p + nPos;
    if (memcmp(pSuite, pOui, 3) != 0)
        return TRUE;
    if (pSuite[3] == 1)
        *akm.pbEnterprise = 1;
    else if (pSuite[3] == 0 || pSuite[3] == 2)
    {
        if (nInfraMode != 0)
            *akm.pbPsk = 1;
        else
            *akm.pbNone = 1;
    }
    return TRUE;
}

} // namespace

void ParseSecurityIes(const NDIS_WLAN_BSSID_EX* pEntry, BssSecurity* pOut)
{
    if (pOut == nullptr)
        return;
    memset(pOut, 0, sizeof(BssSecurity));
    if (pEntry == nullptr)
        return;
    ULONG nLength = ReadEntryField(pEntry, offsetof(NDIS_WLAN_BSSID_EX, Length));
    ULONG nPrivacy = ReadEntryField(pEntry, offsetof(NDIS_WLAN_BSSID_EX, Privacy));
    ULONG nInfraMode = ReadEntryField(pEntry, offsetof(NDIS_WLAN_BSSID_EX, InfrastructureMode));
    ULONG nIeLength = ReadEntryField(pEntry, offsetof(NDIS_WLAN_BSSID_EX, IELength));
    pOut->bPrivacy = nPrivacy == 1 ? 1 : 0;

    if (nLength >= NDIS_WLAN_BSSID_EX_FIXED && nIeLength > nLength - NDIS_WLAN_BSSID_EX_FIXED)
        nIeLength = nLength - NDIS_WLAN_BSSID_EX_FIXED;

    const BYTE* pIes = reinterpret_cast<const BYTE*>(pEntry) + NDIS_WLAN_BSSID_EX_FIXED;
    const AkmOutputs wpa = {&pOut->bWpa, &pOut->bWpaPsk, &pOut->bWpaNone};
    const AkmOutputs rsn = {&pOut->bWpa2, &pOut->bWpa2Psk, &pOut->bWpa2None};
    ULONG nPos = 0;
    while (nPos + 3 < nIeLength)
    {
        BYTE nId = pIes[nPos];
        UINT nLen = pIes[nPos + 1];
        const BYTE* pBody = pIes + nPos + 2;
        // An element that runs past the list ends the walk.
        if (nPos + 2 + nLen > nIeLength)
            break;

        if (nId == IE_VENDOR && nLen > 15)
        {
            if (memcmp(pBody, HT_VENDOR_ELEMENT, 4) == 0 && nLen == 30)
                pOut->bHt = 1;
            if (memcmp(pBody, WPA_ELEMENT, 4) == 0 &&
                !ReadSuites(pBody + 6, nLen - 6, WPA_OUI, nInfraMode, wpa, pOut))
                return;
        }
        else if (nId == IE_RSN && nLen > 11)
        {
            if (!ReadSuites(pBody + 2, nLen - 2, RSN_OUI, nInfraMode, rsn, pOut))
                return;
        }
        else if (nId == IE_HT_OPERATION && nLen > 21)
        {
            pOut->bHt = 1;
        }

        nPos += nLen + 2;
        // An empty element after the first ends the walk.
        if (nPos + 2 <= nIeLength && pIes[nPos + 1] == 0)
            break;
    }
}

#include "client/monitor/ActionQueue.h"

#include "adapter/driver/LockedBlock.h"

#include "adapter/driver/DriverRequest.h"
#include "adapter/driver/NdisTypes.h"
#include "client/access/AdapterState.h"
#include "client/access/OidAccessor.h"
#include "client/access/StationProfile.h"
#include "client/app/SettingsStore.h"
#include "client/monitor/ClientGlobals.h"
#include "client/monitor/HideDlg.h"

#include <cstdlib>
#include <cstring>

StationProfile* g_pCurrentProfile = NULL;

namespace
{

const int kSetAttempts = 3;

#define OID_802_11_BSSID 0x0D010101
#define OID_802_11_SSID 0x0D010102
#define OID_802_11_DESIRED_RATES 0x0D010210
#define OID_802_11_CONFIGURATION 0x0D010211
#define OID_ADVANCED_CONFIG 0x0D710111
#define OID_CCX2_CONTROL 0x0D71011E
#define OID_RATE_BLOCK 0x0D710127

#define RATE_BLOCK_SIZE 26

const BYTE kCckRates[8] = {0x16, 0x0B, 0x04, 0x02, 0, 0, 0, 0};
const BYTE kOfdmRates[8] = {0x6C, 0x60, 0x48, 0x30, 0x24, 0x18, 0x12, 0x0C};
const BYTE kMixedRates[8] = {0x6C, 0x60, 0x48, 0x30, 0x16, 0x0B, 0x04, 0x02};
const BYTE kTopRateOnly[8] = {0x6C, 0, 0, 0, 0, 0, 0, 0};

BOOL IsHtMode(int nMode)
{
    return nMode == 5 || nMode == 6 || nMode == 9;
}

// Bits 4-10 of the transmit-setting word: 33 means the MCS is chosen automatically.
BOOL IsAutoMcs(DWORD dwTransmitSetting)
{
    return ((dwTransmitSetting >> 4) & 0x7F) == 33;
}

const BYTE* RateSetOfMode(int nMode)
{
    if (nMode == 1)
        return kCckRates;
    if (nMode == 2 || nMode == 4)
        return kOfdmRates;
    return kMixedRates;
}

// The supported and extended rates of the mode in the block's layout.
void BuildRateBlock(int nMode, BYTE* pBlock)
{
    const BYTE* pRates = NULL;
    const BYTE* pExtRates = NULL;
    DWORD nRates = 0;
    DWORD nExtRates = 0;
    GetModeRates(nMode, &pRates, &nRates, &pExtRates, &nExtRates);
    memset(pBlock, 0, RATE_BLOCK_SIZE);
    pBlock[0] = static_cast<BYTE>(nRates);
    memcpy(pBlock + 1, pRates, nRates);
    pBlock[13] = static_cast<BYTE>(nExtRates);
    if (nExtRates != 0)
        memcpy(pBlock + 14, pExtRates, nExtRates);
}

void SetRates(const BYTE* pRates)
{
    BYTE rates[8];
    memcpy(rates, pRates, sizeof(rates));
    OidSetInformation(OID_802_11_DESIRED_RATES, rates, sizeof(rates), NULL, kSetAttempts);
}

void SetRateBlock(int nMode)
{
    BYTE block[RATE_BLOCK_SIZE];
    BuildRateBlock(nMode, block);
    OidSetInformation(OID_RATE_BLOCK, block, sizeof(block), NULL, kSetAttempts);
}

// The seventh word of the advanced block goes to the driver as zero.
void SetAdvancedConfig(BYTE* pBlock)
{
    memset(pBlock + 24, 0, 4);
    OidSetInformation(OID_ADVANCED_CONFIG, pBlock, 32, NULL, kSetAttempts);
}

void SetRegionAndCheckChannel(DWORD dwRegion)
{
    if (!g_bRegionValid && !g_bABandRegionValid)
        return;
    OidAccessor accessor;
    accessor.SetCountryRegion(dwRegion);
    if (g_pHideDlg != NULL)
        g_pHideDlg->CheckChannelForRegion();
}

StationKeyBlock* CopyKeyBlock(const StationKeyBlock* pKey, DWORD dwSize)
{
    if (pKey == NULL || dwSize == 0)
        return NULL;
    StationKeyBlock* pCopy = static_cast<StationKeyBlock*>(AllocLockedBlock(dwSize));
    if (pCopy != NULL)
        memcpy(pCopy, pKey, dwSize);
    return pCopy;
}

BOOL HasWepKeys(const StationProfile* p)
{
    return p->AuthenticationMode == 1 || p->EncryptionStatus == 0;
}

void ApplyProfile(StationProfile* R)
{
    OidAccessor accessor;

    if (R->ConnectThroughWlan == 1 && g_pHideDlg != NULL)
        g_pHideDlg->m_WifiClient.ConnectFromSurvey(R);

    if (R->bSetAdvance != 0)
    {
        accessor.SetPhyMode(static_cast<DWORD>(G_enumWirelessMode));
        if (g_bHtSupported == 1)
            accessor.SetHtPhyMode(HtPhyModeFromTransmitSetting(g_nHtTransmitSetting));
        SetAdvancedConfig(R->AdvancedConfig);
        SetRegionAndCheckChannel(R->CountryRegion);
        if (!IsHtMode(G_enumWirelessMode))
        {
            SetRates(R->DesiredRates);
            SetRateBlock(G_enumWirelessMode);
        }
        SetCcx2Control(R->BssidGiven == 1 ? 0 : 1, R->CCX2Control);
    }
    else
    {
        SetAdvancedConfig(g_abAdvancedConfig);
        SetRegionAndCheckChannel(static_cast<DWORD>(g_nCountryRegion));
        if (IsHtMode(G_enumWirelessMode))
            SetHtDesiredRates(IsAutoMcs(g_nHtTransmitSetting));
        else
        {
            SetRates(RateSetOfMode(G_enumWirelessMode));
            SetRateBlock(G_enumWirelessMode);
        }
    }

    DWORD dwCcx2 = R->CCX2Control;
    GetCcx2Control(&dwCcx2);
    if (R->BssidGiven != 0)
    {
        // Only a configuration the driver reported goes back: a zeroed one would overwrite its
        // beacon period and the rest.
        NDIS_802_11_CONFIGURATION config;
        memset(&config, 0, sizeof(config));
        DWORD dwReturned = 0;
        if (OidQueryInformation(OID_802_11_CONFIGURATION, &config, sizeof(config), &dwReturned))
        {
            config.DSConfig = R->AdhocChannelFrequency;
            OidSetInformation(OID_802_11_CONFIGURATION, &config, sizeof(config), NULL,
                              kSetAttempts);
        }
        BYTE bssid[6];
        memcpy(bssid, R->Bssid, sizeof(bssid));
        OidSetInformation(OID_802_11_BSSID, bssid, sizeof(bssid), NULL, kSetAttempts);
        SetCcx2Control(0, dwCcx2);
    }
    else
    {
        NDIS_802_11_SSID ssid;
        memset(&ssid, 0, sizeof(ssid));
        ssid.SsidLength = R->SsidLength <= 32 ? R->SsidLength : 32;
        memcpy(ssid.Ssid, R->Ssid, sizeof(ssid.Ssid));
        OidSetInformation(OID_802_11_SSID, &ssid, sizeof(ssid), NULL, kSetAttempts);
        SetCcx2Control(1, dwCcx2);
    }

    g_bWepError = 0;
    if (g_pHideDlg != NULL)
    {
        if ((R->AuthenticationMode == 0 || R->AuthenticationMode == 1) &&
            R->EncryptionStatus == 0 && R->NetworkType == 1)
        {
            g_pHideDlg->m_bWepCheckArmed = 1;
            g_pHideDlg->SetTimer(TIMER_WEP_CHECK, WEP_CHECK_PERIOD, NULL);
        }
        else
            g_pHideDlg->m_bWepCheckArmed = 0;
    }
}

} // namespace

void FreeStationProfile(StationProfile* pProfile)
{
    if (pProfile == NULL)
        return;
    if (pProfile->AuthenticationMode == 5)
        FreeLockedBlock(pProfile->pWpaNoneKey);
    else if (HasWepKeys(pProfile))
    {
        for (int n = 1; n <= 4; n++)
        {
            if (*WepKeyBlockSize(pProfile, n) != 0)
                FreeLockedBlock(*WepKeyBlock(pProfile, n));
        }
    }
    FreeLockedBlock(pProfile);
}

void CopyActionData(StationProfile** ppTarget, const StationProfile* pProfile)
{
    if (pProfile == NULL || pProfile == *ppTarget)
        return;
    if (*ppTarget != NULL)
    {
        FreeStationProfile(*ppTarget);
        *ppTarget = NULL;
    }
    StationProfile* pCopy = static_cast<StationProfile*>(AllocLockedBlock(sizeof(StationProfile)));
    if (pCopy == NULL)
        return;
    memcpy(pCopy, pProfile, sizeof(StationProfile));

    // The copy owns only blocks of its own: a pointer the copy does not duplicate is cleared, so
    // freeing either record never frees the other's key.
    pCopy->pWpaNoneKey = NULL;
    pCopy->WpaNoneKeySize = 0;
    for (int n = 1; n <= 4; n++)
    {
        *WepKeyBlock(pCopy, n) = NULL;
        *WepKeyBlockSize(pCopy, n) = 0;
    }
    if (pProfile->AuthenticationMode == 5)
    {
        pCopy->pWpaNoneKey = CopyKeyBlock(pProfile->pWpaNoneKey, pProfile->WpaNoneKeySize);
        if (pCopy->pWpaNoneKey != NULL)
            pCopy->WpaNoneKeySize = pProfile->WpaNoneKeySize;
    }
    else if (HasWepKeys(pProfile))
    {
        for (int n = 1; n <= 4; n++)
        {
            DWORD dwSize = WepKeyBlockSize(pProfile, n);
            StationKeyBlock* pKey = CopyKeyBlock(WepKeyBlock(pProfile, n), dwSize);
            if (pKey != NULL)
            {
                *WepKeyBlock(pCopy, n) = pKey;
                *WepKeyBlockSize(pCopy, n) = dwSize;
            }
        }
    }
    *ppTarget = pCopy;
}

BOOL InsertAction(_ACTION_DATA& action)
{
    if (action.nKind == ACTION_APPLY_PROFILE)
        CopyActionData(&g_pCurrentProfile, static_cast<const StationProfile*>(action.pData));

    BOOL bTaken = FALSE;
    for (INT_PTR i = ActionQueue.GetSize() - 1; i >= 0; i--)
    {
        _ACTION_DATA& queued = ActionQueue.ElementAt(i);
        if (queued.nKind != action.nKind)
            continue;
        if (action.nKind == ACTION_SCAN)
            ActionQueue.RemoveAt(i);
        else if (!bTaken)
        {
            // The newest waiting profile gives its place to the new one.
            FreeStationProfile(static_cast<StationProfile*>(queued.pData));
            queued.pData = action.pData;
            bTaken = TRUE;
        }
        else
        {
            FreeStationProfile(static_cast<StationProfile*>(queued.pData));
            ActionQueue.RemoveAt(i);
        }
    }
    if (!bTaken)
        ActionQueue.Add(action);
    return ActionQueue.GetSize() == 1;
}

void ActionExec()
{
    while (ActionQueue.GetSize() > 0)
    {
        _ACTION_DATA action = ActionQueue.GetAt(0);
        if (action.nKind == ACTION_SCAN)
        {
            // A scan that fails at once gets no completion notice: nothing is pending then.
            DWORD dwResult = ERROR_INVALID_HANDLE;
            if (g_pHideDlg != NULL)
                dwResult = g_pHideDlg->m_WifiClient.ScanNetworks();
            g_bScanPending = 1;
            if (dwResult != ERROR_SUCCESS)
                g_bScanPending = 0;
            ActionQueue.RemoveAt(0);
            return;
        }
        // Out of the queue before it is applied: an insertion made meanwhile can neither free
        // nor replace the record in use.
        ActionQueue.RemoveAt(0);
        if (action.pData != NULL)
        {
            StationProfile* R = static_cast<StationProfile*>(action.pData);
            ApplyProfile(R);
            FreeStationProfile(R);
        }
    }
}

void RequestScan()
{
    _ACTION_DATA action;
    action.nKind = ACTION_SCAN;
    action.pData = NULL;
    if (InsertAction(action))
        ActionExec();
}

void ClearActionQueue()
{
    while (ActionQueue.GetSize() > 0)
    {
        _ACTION_DATA action = ActionQueue.GetAt(0);
        if (action.nKind == ACTION_APPLY_PROFILE)
            FreeStationProfile(static_cast<StationProfile*>(action.pData));
        ActionQueue.RemoveAt(0);
    }
}

void GetModeRates(int nMode, const BYTE** ppRates, DWORD* pnRates, const BYTE** ppExtRates,
                  DWORD* pnExtRates)
{
    static const BYTE kCck[4] = {0x82, 0x84, 0x8B, 0x96};
    static const BYTE kOfdm[8] = {0x8C, 0x12, 0x98, 0x24, 0xB0, 0x48, 0x60, 0x6C};
    static const BYTE kMixed[8] = {0x82, 0x84, 0x8B, 0x96, 0x12, 0x24, 0x48, 0x6C};
    static const BYTE kMixedExt[4] = {0x8C, 0x98, 0xB0, 0x60};

    *ppExtRates = NULL;
    *pnExtRates = 0;
    if (nMode == 1)
    {
        *ppRates = kCck;
        *pnRates = sizeof(kCck);
    }
    else if (nMode == 2 || nMode == 4)
    {
        *ppRates = kOfdm;
        *pnRates = sizeof(kOfdm);
    }
    else
    {
        *ppRates = kMixed;
        *pnRates = sizeof(kMixed);
        *ppExtRates = kMixedExt;
        *pnExtRates = sizeof(kMixedExt);
    }
}

void SetHtDesiredRates(BOOL bAutoMcs)
{
    SetRates(bAutoMcs ? kMixedRates : kTopRateOnly);
}

int RssiToPercent(LONG lDbm)
{
    // 2.6 percent a dB, in tenths so that no rounding creeps in.
    if (lDbm >= -50)
        return 100;
    if (lDbm >= -80)
        return (lDbm + 80) * 26 / 10 + 24;
    if (lDbm >= -90)
        return (lDbm + 90) * 26 / 10;
    return 0;
}

BOOL MapModeCodeToDriver(int nCode, int* pnOut)
{
    int nDriver;
    switch (nCode)
    {
    case 0:
        nDriver = 1;
        break;
    case 1:
        nDriver = 0;
        break;
    case 2:
        nDriver = 3;
        break;
    case 3:
        nDriver = 4;
        break;
    case 4:
        nDriver = 2;
        break;
    case 5:
    case 6:
    case 9:
        nDriver = nCode;
        break;
    default:
        return FALSE;
    }
    *pnOut = nDriver;
    return TRUE;
}

int GetCcx2Control(DWORD* pdwValue)
{
    char szValue[128];
    memset(szValue, 0, sizeof(szValue));
    GetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "CCX2Control", szValue,
                sizeof(szValue));
    if (szValue[0] != '\0')
        *pdwValue = static_cast<DWORD>(strtoul(szValue, NULL, 10));
    return 1;
}

void SetCcx2Control(int nMode, DWORD dwValue)
{
    if (nMode != 1)
        dwValue = (dwValue & ~0x0000FF20u) | 0x0000FA00u;
    OidSetInformation(OID_CCX2_CONTROL, &dwValue, sizeof(dwValue), NULL, kSetAttempts);
}

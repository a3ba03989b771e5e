#include "client/profiles/SetOidFromReg.h"

#include "adapter/crypto/HexToBytes.h"
#include "adapter/driver/LockedBlock.h"

#include "adapter/crypto/PasswordHash.h"
#include "adapter/driver/DriverRequest.h"
#include "adapter/radio/ChannelFrequencyTable.h"
#include "client/access/AdapterState.h"
#include "client/access/StationProfile.h"
#include "client/app/SettingsStore.h"
#include "client/monitor/ActionQueue.h"
#include "client/monitor/ClientGlobals.h"
#include "client/monitor/HideDlg.h"

#include <cstdlib>
#include <cstring>

namespace
{

#define CONFIG_VALUE_SIZE 128
#define OID_HT_TRANSMIT_QUERY 0xFF0C0028
#define OID_ADVANCED_CONFIG 0x0D710111
#define WPA_NONE_KEY_LENGTH 32
#define DRIVER_VERSION_5_1 0x0501

// Bits of the 802.11n transmit-setting word.
#define HT_MODE_BITS 0x0000000Fu
#define HT_MCS_BITS (0x7Fu << 4)
#define HT_BANDWIDTH_BIT (1u << 11)
#define HT_GUARD_INTERVAL_BIT (1u << 12)
#define HT_STBC_BIT (1u << 13)
#define HT_PHY_BITS (3u << 14)
#define HT_GREENFIELD_BIT (1u << 16)
#define HT_EXT_CHANNEL_BITS (3u << 17)
#define HT_MCS_AUTO 33u

const BYTE kCckRates[8] = {22, 11, 4, 2, 0, 0, 0, 0};
const BYTE kOfdmRates[8] = {108, 96, 72, 48, 36, 24, 18, 12};
const BYTE kMixedRates[8] = {108, 96, 72, 48, 22, 11, 4, 2};
const BYTE kOfdmSingleRates[8] = {12, 18, 24, 36, 48, 72, 96, 108};
const BYTE kSingleRates[12] = {2, 4, 11, 22, 12, 18, 24, 36, 48, 72, 96, 108};

// One key of section "Config" in a zeroed buffer; TRUE when it is set (not absent, not empty).
BOOL ReadConfig(LPCSTR pszKey, char* pszValue)
{
    memset(pszValue, 0, CONFIG_VALUE_SIZE);
    GetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", pszKey, pszValue,
                CONFIG_VALUE_SIZE);
    return pszValue[0] != '\0';
}

DWORD Number(LPCSTR pszValue)
{
    return static_cast<DWORD>(strtoul(pszValue, NULL, 10));
}

// Reads a number into *pdwField when the key is set.
void ReadConfigNumber(LPCSTR pszKey, DWORD* pdwField)
{
    char szValue[CONFIG_VALUE_SIZE];
    if (ReadConfig(pszKey, szValue))
        *pdwField = Number(szValue);
}

// Reads a text into a field of nSize bytes when the key is set; cut to nSize - 1 characters.
void ReadConfigText(LPCSTR pszKey, char* pszField, size_t nSize)
{
    char szValue[CONFIG_VALUE_SIZE];
    if (!ReadConfig(pszKey, szValue))
        return;
    size_t nLength = strlen(szValue);
    if (nLength > nSize - 1)
        nLength = nSize - 1;
    memset(pszField, 0, nSize);
    memcpy(pszField, szValue, nLength);
}

StationKeyBlock* NewKeyBlock(DWORD dwKeyIndex, DWORD dwKeyLength)
{
    DWORD dwSize = dwKeyLength + STATION_KEY_HEADER;
    StationKeyBlock* pKey = static_cast<StationKeyBlock*>(AllocLockedBlock(dwSize));
    if (pKey == NULL)
        return NULL;
    pKey->Length = dwSize;
    pKey->KeyIndex = dwKeyIndex;
    pKey->KeyLength = dwKeyLength;
    memset(pKey->Bssid, 0xFF, sizeof(pKey->Bssid));
    return pKey;
}

BOOL IsHtMode(int nMode)
{
    return nMode == 5 || nMode == 6 || nMode == 9;
}

// The rate set of a "TransRate" index N in a wireless mode; N 0 is the mode's full set.
void RateSetOfTransRate(int nMode, DWORD N, BYTE* pRates)
{
    memset(pRates, 0, 8);
    if (IsHtMode(nMode))
    {
        if (((g_nHtTransmitSetting & HT_MCS_BITS) >> 4) == HT_MCS_AUTO)
            memcpy(pRates, kMixedRates, 8);
        else
            pRates[0] = 108;
    }
    else if (nMode == 2 || nMode == 4)
    {
        if (N >= 1 && N <= 8)
            pRates[0] = kOfdmSingleRates[N - 1];
        else
            memcpy(pRates, kOfdmRates, 8);
    }
    else if (N >= 1 && N <= 12)
        pRates[0] = kSingleRates[N - 1];
    else if (nMode == 1)
        memcpy(pRates, kCckRates, 8);
    else
        memcpy(pRates, kMixedRates, 8);
}

void ComposeHtTransmitSetting()
{
    BYTE reply[12];
    memset(reply, 0, sizeof(reply));
    DWORD dwReturned = 0;
    OidQueryInformation(OID_HT_TRANSMIT_QUERY, reply, sizeof(reply), &dwReturned);

    DWORD w = g_nHtTransmitSetting;
    w = (w & ~HT_MODE_BITS) | (static_cast<DWORD>(G_enumWirelessMode) & HT_MODE_BITS);
    w = (w & ~HT_EXT_CHANNEL_BITS) | (static_cast<DWORD>(reply[6] & 3) << 17);
    w = (w & ~HT_PHY_BITS) | (2u << 14);

    const DWORD dwChosen =
        HT_GREENFIELD_BIT | HT_BANDWIDTH_BIT | HT_GUARD_INTERVAL_BIT | HT_STBC_BIT | HT_MCS_BITS;
    char szValue[CONFIG_VALUE_SIZE];
    if (ReadConfig("TransmitSetting", szValue))
        w = (w & ~dwChosen) | (Number(szValue) & dwChosen);
    else
    {
        w &= ~(HT_GREENFIELD_BIT | HT_MCS_BITS);
        w |= HT_BANDWIDTH_BIT | HT_GUARD_INTERVAL_BIT | HT_STBC_BIT | (HT_MCS_AUTO << 4);
    }
    g_nHtTransmitSetting = w;
}

void StoreAdhocOfdm(int nDriverMode)
{
    char szMode[16];
    wsprintfA(szMode, "%d", nDriverMode);
    SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "AdhocOfdm", szMode);

    CString strError;
    HKEY hKey = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &hKey) !=
        ERROR_SUCCESS)
    {
        strError.Format("RegOpenKeyEx '%hs' failed\n", (LPCSTR)g_strDriverKey);
        return;
    }
    // Driver-key texts carry no terminating zero.
    if (RegSetValueExA(hKey, "AdhocOfdm", 0, REG_SZ, reinterpret_cast<const BYTE*>(szMode),
                       static_cast<DWORD>(strlen(szMode))) != ERROR_SUCCESS)
        strError.Format("RegSetValueEx REGSTR_ADHOC_MODE '%s' failed\n", szMode);
    RegCloseKey(hKey);
}

void ReadAdvancedSettings(StationProfile* pRec)
{
    char szValue[CONFIG_VALUE_SIZE];
    pRec->bSetAdvance = 1;

    if (ReadConfig("WirelessMode", szValue))
        G_enumWirelessMode = static_cast<int>(Number(szValue));
    G_enumWirelessMode = AdjustWirelessMode(G_enumWirelessMode);

    if (g_bHtSupported)
        ComposeHtTransmitSetting();

    // A failed query leaves the block zero.
    BYTE block[32];
    memset(block, 0, sizeof(block));
    DWORD dwReturned = 0;
    if (OidQueryInformation(OID_ADVANCED_CONFIG, block, sizeof(block), &dwReturned))
        memcpy(pRec->AdvancedConfig, block, sizeof(block));

    if (ReadConfig("CountryRegion", szValue))
    {
        pRec->CountryRegion = Number(szValue);
        if (ReadConfig("CountryRegionABand", szValue))
            pRec->CountryRegion += 256 * Number(szValue);
    }

    DWORD* pWords = reinterpret_cast<DWORD*>(pRec->AdvancedConfig);
    ReadConfigNumber("TXBurst", &pWords[0]);
    ReadConfigNumber("TurboRate", &pWords[1]);
    if (ReadConfig("BGProtection", szValue))
        pWords[2] = (G_enumWirelessMode == 0 || G_enumWirelessMode == 3) ? Number(szValue) : 0;
    ReadConfigNumber("ShortSlot", &pWords[3]);

    // A mode without a driver code keeps the driver's own word and stores nothing.
    int nDriverMode = 0;
    if (MapModeCodeToDriver(G_enumWirelessMode, &nDriverMode))
    {
        pWords[4] = static_cast<DWORD>(nDriverMode);
        StoreAdhocOfdm(nDriverMode);
    }

    // No "TransRate" is index 0: every mode's full rate set (OFDM for A only and G only).
    DWORD N = 0;
    if (ReadConfig("TransRate", szValue))
    {
        N = Number(szValue);
        if (G_enumWirelessMode == 1 && N > 4)
            N = 0;
        if (G_enumWirelessMode == 2 && N > 8)
            N = 0;
    }
    RateSetOfTransRate(G_enumWirelessMode, N, pRec->DesiredRates);
    memcpy(g_abAdvancedConfig, pRec->AdvancedConfig, sizeof(g_abAdvancedConfig));
}

// "...CertLen" and "...CertData" into a certificate buffer of that length. The data decodes to
// at most the bytes its text holds; the rest of the buffer stays zero.
void ReadCertificate(LPCSTR pszLenKey, LPCSTR pszDataKey, BYTE** ppData, int* pnLen)
{
    char szValue[CONFIG_VALUE_SIZE];
    if (ReadConfig(pszLenKey, szValue))
        SetCertDataLength(ppData, pnLen, static_cast<int>(Number(szValue)));
    if (!ReadConfig(pszDataKey, szValue) || *ppData == NULL)
        return;
    int nBytes = static_cast<int>(strlen(szValue) / 2);
    if (nBytes > *pnLen)
        nBytes = *pnLen;
    memset(*ppData, 0, *pnLen);
    HexToBytes(szValue, *ppData, nBytes);
}

void Read8021xSettings(StationProfile* pRec)
{
    ReadConfigNumber("AuthenProtocol", &pRec->AuthenProtocol);
    ReadConfigNumber("TunnelProtocol",
                     pRec->AuthenProtocol == 2 ? &pRec->TtlsInnerMethod : &pRec->TunnelProtocol);
    ReadConfigNumber("ProvisioningTunnel", &pRec->ProvisioningTunnel);
    ReadConfigText("ID", pRec->ID, sizeof(pRec->ID));
    ReadConfigText("Password", pRec->Password, sizeof(pRec->Password));
    ReadConfigText("TunnelID", pRec->TunnelID, sizeof(pRec->TunnelID));
    ReadConfigText("TunnelPassword", pRec->TunnelPassword, sizeof(pRec->TunnelPassword));
    ReadConfigNumber("SessionResumption", &pRec->SessionResumption);
    ReadConfigNumber("PasswordMode", &pRec->PasswordMode);
    ReadConfigNumber("UseClientCert", &pRec->UseClientCert);
    if (pRec->UseClientCert != 0)
        ReadCertificate("ClientCertLen", "ClientCertData", &g_pClientCertData, &g_nClientCertLen);
    ReadConfigNumber("UseServerCert", &pRec->UseServerCert);
    if (pRec->UseServerCert != 0)
        ReadCertificate("ServerCertLen", "ServerCertData", &g_pServerCertData, &g_nServerCertLen);
    ReadConfigNumber("UsePAC", &pRec->UsePAC);
    ReadConfigNumber("ProvisionMode", &pRec->ProvisionMode);
    ReadConfigText("PACFilePath", pRec->PACFilePath, sizeof(pRec->PACFilePath));
    ReadConfigText("ServerName", pRec->ServerName, sizeof(pRec->ServerName));
    ReadConfigNumber("NameRule", &pRec->NameRule);
    ReadConfigNumber("IntermediateCert", &pRec->IntermediateCert);
}

void ReadWpaPassphrase(StationProfile* pRec)
{
    char szValue[CONFIG_VALUE_SIZE];
    ReadConfig("WPAPSK", szValue);
    szValue[sizeof(pRec->WpaPassphrase)] = '\0'; // at most 64 characters
    size_t nLength = strlen(szValue);
    memset(pRec->WpaPassphrase, 0, sizeof(pRec->WpaPassphrase));

    if (pRec->AuthenticationMode == 5)
    {
        StationKeyBlock* pKey = NewKeyBlock(STATION_KEY_TRANSMIT, WPA_NONE_KEY_LENGTH);
        if (pKey == NULL)
            return;
        if (nLength == 64)
            HexToBytes(szValue, pKey->KeyMaterial, WPA_NONE_KEY_LENGTH);
        else
        {
            BYTE hash[40];
            memset(hash, 0, sizeof(hash));
            PasswordHash(szValue, pRec->Ssid, pRec->SsidLength, hash);
            memcpy(pKey->KeyMaterial, hash, WPA_NONE_KEY_LENGTH);
        }
        pRec->pWpaNoneKey = pKey;
        pRec->WpaNoneKeySize = pKey->Length;
    }
    else
    {
        memcpy(pRec->WpaPassphrase, szValue, nLength);
        pRec->WpaPassphraseLength = static_cast<DWORD>(nLength);
    }
}

void ReadWepKeys(StationProfile* pRec)
{
    char szValue[CONFIG_VALUE_SIZE];
    DWORD dwTransmitKey = 0; // none
    ReadConfigNumber("WEPKeyUse", &dwTransmitKey);
    for (int n = 1; n <= 4; n++)
    {
        char szKey[16];
        wsprintfA(szKey, "WEPKey%d", n);
        if (!ReadConfig(szKey, szValue))
            continue;
        size_t nLength = strlen(szValue);
        if (nLength == 1)
            continue; // one character stands for no key
        DWORD dwKeyLength = (nLength == 10 || nLength == 11) ? 5 : 13;
        DWORD dwIndex = static_cast<DWORD>(n - 1);
        if (static_cast<DWORD>(n) == dwTransmitKey)
            dwIndex |= STATION_KEY_TRANSMIT;
        StationKeyBlock* pKey = NewKeyBlock(dwIndex, dwKeyLength);
        if (pKey == NULL)
            continue;
        HexToBytes(szValue, pKey->KeyMaterial, static_cast<int>(dwKeyLength));
        *WepKeyBlock(pRec, n) = pKey;
        *WepKeyBlockSize(pRec, n) = pKey->Length;
    }
}

} // namespace

void SetOidFromReg(BOOL bSetAdvance, LPCSTR pszProfileName, BOOL bConnect)
{
    StationProfile* pRec = static_cast<StationProfile*>(AllocLockedBlock(sizeof(StationProfile)));
    if (pRec == NULL)
        return;
    char szValue[CONFIG_VALUE_SIZE];

    pRec->BssidGiven = 0;
    if (pszProfileName != NULL)
    {
        size_t nLength = strlen(pszProfileName);
        if (nLength > sizeof(pRec->ProfileName) - 1)
            nLength = sizeof(pRec->ProfileName) - 1;
        memcpy(pRec->ProfileName, pszProfileName, nLength);
    }
    pRec->Reserved2 = 0;
    g_bProfileApplied = 1;

    if (ReadConfig("SSID", szValue))
    {
        size_t nLength = strlen(szValue);
        if (nLength > sizeof(pRec->Ssid))
            nLength = sizeof(pRec->Ssid);
        pRec->SsidLength = static_cast<DWORD>(nLength);
        memcpy(pRec->Ssid, szValue, nLength);
    }
    ReadConfigNumber("NetworkType", &pRec->NetworkType);
    pRec->CCX2Control = 0;
    ReadConfigNumber("CCX2Control", &pRec->CCX2Control);

    if (bSetAdvance)
        ReadAdvancedSettings(pRec);
    else
        pRec->bSetAdvance = 0;

    ReadConfigNumber("PreambleType", &pRec->Preamble);
    if (pRec->Preamble == 1)
        pRec->Preamble = 2;
    pRec->RtsThreshold = 2347;
    if (ReadConfig("UseRts", szValue) && Number(szValue) != 0)
        ReadConfigNumber("RtsThresh", &pRec->RtsThreshold);
    pRec->FragThreshold = 0;
    if (ReadConfig("UseFrag", szValue) && Number(szValue) != 0)
        ReadConfigNumber("FragThresh", &pRec->FragThreshold);

    if (ReadConfig("AuthenType", szValue))
    {
        pRec->AuthenticationMode = static_cast<LONG>(Number(szValue));
        if (pRec->AuthenticationMode > 7)
            pRec->AuthenticationMode = 0;
    }
    // A configuration that names no encryption is an open one.
    pRec->EncryptionStatus = 1;
    ReadConfigNumber("Encryption", &pRec->EncryptionStatus);

    if (ReadConfig("LeapEnabled", szValue))
        pRec->LeapEnabled = static_cast<BYTE>(Number(szValue));
    if (pRec->LeapEnabled != 0)
        pRec->CCKM = static_cast<BYTE>((pRec->CCX2Control >> 1) & 1);
    if (ReadConfig("LeapUserName", szValue))
    {
        memcpy(pRec->LeapUserName, szValue, CONFIG_VALUE_SIZE);
        pRec->LeapUserNameLength = CONFIG_VALUE_SIZE - 1;
    }
    if (ReadConfig("LeapPassword", szValue))
    {
        memcpy(pRec->LeapPassword, szValue, CONFIG_VALUE_SIZE);
        pRec->LeapPasswordLength = CONFIG_VALUE_SIZE - 1;
    }
    if (pRec->LeapEnabled != 0)
    {
        DWORD dwCcx2 = 0;
        ReadConfigNumber("CCX2Control", &dwCcx2);
        DWORD dwEnc = pRec->EncryptionStatus;
        if ((dwCcx2 & 1) == 0 || (dwEnc != 0 && dwEnc != 4 && dwEnc != 6))
            pRec->EncryptionStatus = 0;
    }

    ReadConfigNumber("Use8021X", &pRec->Use8021X);
    if (pRec->LeapEnabled != 0)
        pRec->Use8021X = 0;

    if (g_bAllowSecuredConnect && (pRec->AuthenticationMode == 3 || pRec->Use8021X != 0))
        Read8021xSettings(pRec);

    LONG nAuth = pRec->AuthenticationMode;
    if (nAuth == 4 || nAuth == 5 || nAuth == 7)
        ReadWpaPassphrase(pRec);
    else if ((nAuth == 1 || pRec->EncryptionStatus == 0) && pRec->LeapEnabled == 0)
        ReadWepKeys(pRec);

    ReadConfigNumber("TXPower", &pRec->TxPower);

    if (pRec->NetworkType != 0)
    {
        if (ReadConfig("PSMode", szValue))
        {
            pRec->PowerMode = Number(szValue);
            if (pRec->PowerMode == 1)
                pRec->PowerMode = 2;
            else if (pRec->PowerMode > 2)
                pRec->PowerMode = 0;
        }
        if (g_nDriverVersion >= DRIVER_VERSION_5_1)
            ReadConfigNumber("ACPowerCam", &pRec->CamOnAcPower);
    }
    else if (ReadConfig("Channel", szValue))
        pRec->AdhocChannelFrequency =
            static_cast<DWORD>(ChannelToFrequency(static_cast<INT>(Number(szValue))));

    pRec->Reserved1 = 1;
    pRec->ConnectThroughWlan = bConnect ? 1 : 0;

    _ACTION_DATA action;
    action.nKind = ACTION_APPLY_PROFILE;
    action.pData = pRec;
    if (InsertAction(action))
        ActionExec();
}

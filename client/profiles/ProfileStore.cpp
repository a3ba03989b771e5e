#include "client/profiles/ProfileStore.h"

#include "adapter/crypto/HexToBytes.h"
#include "client/access/AdapterState.h"
#include "client/access/StationProfile.h"
#include "client/app/SettingsStore.h"
#include "client/monitor/ActionQueue.h"
#include "client/monitor/ClientGlobals.h"
#include "client/profiles/ProfilePage.h"
#include "client/profiles/ProfileSheet.h"
#include "resources/TessarynUI/resource.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{

// Stored authentication modes and encryption codes (the NDIS 802.11 numbering).
enum
{
    AUTH_OPEN = 0,
    AUTH_WPA = 3,
    AUTH_WPA_PSK = 4,
    AUTH_WPA_NONE = 5,
    AUTH_WPA2_PSK = 7
};
enum
{
    ENC_WEP = 0,
    ENC_NONE = 1,
    ENC_TKIP = 4,
    ENC_AES = 6
};

// Returned for a key the section lacks: a stored value never holds a line break.
const char kAbsent[] = "\n";

BOOL WriteKey(LPCSTR pszSection, LPCSTR pszKey, LPCSTR pszValue)
{
    return SetIniValue(g_strNetCfgInstanceId, INI_KIND_PROFILE, pszSection, pszKey, pszValue);
}

BOOL WriteKey(LPCSTR pszSection, LPCSTR pszKey, int nValue)
{
    CString strValue;
    strValue.Format("%d", nValue);
    return WriteKey(pszSection, pszKey, strValue);
}

// The key's value; FALSE when the section has no such key. Long values (certificate data) are
// read whole.
BOOL ReadKey(LPCSTR pszSection, LPCSTR pszKey, CString& strValue)
{
    CString strFile = GetIniFileName(g_strNetCfgInstanceId, INI_KIND_PROFILE);
    std::vector<char> buffer(512);
    for (;;)
    {
        DWORD dwLen = GetPrivateProfileStringA(pszSection, pszKey, kAbsent, buffer.data(),
                                               static_cast<DWORD>(buffer.size()), strFile);
        if (dwLen + 1 < buffer.size())
            break;
        buffer.resize(buffer.size() * 2);
    }
    if (strcmp(buffer.data(), kAbsent) == 0)
        return FALSE;
    strValue = buffer.data();
    return TRUE;
}

BOOL ReadKey(LPCSTR pszSection, LPCSTR pszKey, int& nValue)
{
    CString strValue;
    if (!ReadKey(pszSection, pszKey, strValue))
        return FALSE;
    nValue = atoi(strValue);
    return TRUE;
}

int Clamp(int nValue, int nLow, int nHigh)
{
    return nValue < nLow ? nLow : (nValue > nHigh ? nHigh : nValue);
}

// A certificate pair from its section: the length first (a new length gives a new buffer),
// then the data, decoded only as far as both the buffer and the text reach.
void LoadCertificate(LPCSTR pszSection, LPCSTR pszLenKey, LPCSTR pszDataKey, BYTE** ppData,
                     int* pnLen)
{
    int nLen = 0;
    if (ReadKey(pszSection, pszLenKey, nLen))
        SetCertDataLength(ppData, pnLen, nLen);
    CString strData;
    if (ReadKey(pszSection, pszDataKey, strData))
    {
        if (*ppData == NULL && *pnLen > 0)
            SetCertDataLength(ppData, pnLen, *pnLen);
        if (*ppData != NULL)
            HexToBytesZeroFilled(strData, *ppData, *pnLen);
    }
}

} // namespace

int AdjustStoredAuthMode(int nAuthMode, int nNetworkType)
{
    if (nNetworkType == 0)
    {
        if (nAuthMode == AUTH_WPA_PSK)
            return AUTH_WPA_NONE;
        if (nAuthMode == AUTH_WPA)
            return AUTH_OPEN;
    }
    else if (nAuthMode == AUTH_WPA_NONE)
        return AUTH_WPA_PSK;
    return nAuthMode;
}

int EncryptionCodeFromChoice(int nAuthMode, int nEncryptIndex, int nNetworkType, BOOL bLeap,
                             BOOL bCcx, int nLeapEncryption)
{
    if (bLeap)
    {
        if (bCcx && nLeapEncryption == 1)
            return ENC_TKIP;
        if (bCcx && nLeapEncryption == 2)
            return ENC_AES;
        return ENC_WEP;
    }
    if (nAuthMode >= AUTH_WPA && nAuthMode <= AUTH_WPA2_PSK)
        return nEncryptIndex != 0 || nNetworkType == 0 ? ENC_AES : ENC_TKIP;
    return nEncryptIndex == 0 ? ENC_NONE : ENC_WEP;
}

void HexToBytesZeroFilled(LPCSTR pszHex, BYTE* pData, int nLen)
{
    if (pData == NULL || nLen <= 0)
        return;
    memset(pData, 0, nLen);
    int nDigits = static_cast<int>(strlen(pszHex));
    for (int i = 0; i < nLen && 2 * i + 1 < nDigits; i++)
    {
        BYTE nHigh = HexDigitValue(pszHex[2 * i]);
        BYTE nLow = HexDigitValue(pszHex[2 * i + 1]);
        pData[i] = static_cast<BYTE>((nHigh > 15 ? 0 : nHigh) * 16 + (nLow > 15 ? 0 : nLow));
    }
}

CString AuthenticationText(int nAuthMode, BOOL bLeap, BOOL bUse8021x)
{
    static const UINT kAuthText[] = {IDS_AUTH_OPEN, IDS_AUTH_SHARED,  IDS_AUTH_BLANK,
                                     IDS_AUTH_WPA,  IDS_AUTH_WPA_PSK, IDS_AUTH_WPA_NONE,
                                     IDS_AUTH_WPA2, IDS_AUTH_WPA2_PSK};
    if (nAuthMode < 0 || nAuthMode > 7)
        nAuthMode = 0;
    CString strAuth;
    strAuth.LoadString(bLeap && nAuthMode == 0 ? IDS_AUTH_LEAP : kAuthText[nAuthMode]);
    CString strSuffix;
    if (bUse8021x && (nAuthMode == 0 || nAuthMode == 1))
        strSuffix.LoadString(IDS_AUTH_8021X_SUFFIX);
    CString strText;
    strText.Format("%s %s", (LPCSTR)strAuth, (LPCSTR)strSuffix);
    return strText;
}

CString EncryptionText(int nEncryption)
{
    UINT nID = 0;
    switch (nEncryption)
    {
    case ENC_WEP:
        nID = IDS_ENC_WEP;
        break;
    case ENC_NONE:
        nID = IDS_ENC_NONE;
        break;
    case ENC_TKIP:
        nID = IDS_ENC_TKIP;
        break;
    case ENC_AES:
        nID = IDS_ENC_AES;
        break;
    default:
        return CString();
    }
    CString strText;
    strText.LoadString(nID);
    return strText;
}

CString NetworkTypeText(int nNetworkType)
{
    static const UINT kNetText[] = {IDS_NET_ADHOC, IDS_NET_INFRASTRUCTURE, IDS_NET_AUTO};
    CString strText;
    if (nNetworkType >= 0 && nNetworkType <= 2)
        strText.LoadString(kNetText[nNetworkType]);
    return strText;
}

BOOL IsStorableProfileName(LPCSTR pszName)
{
    return strpbrk(pszName, "]\r\n") == NULL;
}

BOOL ResetCurrentConfig(CProfilePage* pPage)
{
    static const char* const kDefaults[][2] = {
        {"SSID", ""},           {"NetworkType", "1"},   {"AuthenType", "0"},
        {"Encryption", "1"},    {"WEPKey1Type", ""},    {"WEPKey2Type", ""},
        {"WEPKey3Type", ""},    {"WEPKey4Type", ""},    {"CurProfile", ""},
        {"LeapEnabled", ""},    {"LeapUserName", ""},   {"LeapPassword", ""},
        {"TunnelID", ""},       {"TunnelProtocol", ""}, {"ServerCertLen", "0"},
        {"ServerCertData", ""}, {"ClientCertLen", "0"}, {"ClientCertData", ""}};

    if (pPage != NULL)
        pPage->m_strCurProfile.Empty();
    for (const auto& entry : kDefaults)
        SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", entry[0], entry[1]);

    CString strError;
    HKEY hKey = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &hKey) !=
        ERROR_SUCCESS)
    {
        strError.Format("RegOpenKeyEx '%hs' failed\n", (LPCSTR)g_strDriverKey);
        return TRUE;
    }
    for (const auto& entry : kDefaults)
    {
        // Driver-key texts carry no terminating zero.
        if (RegSetValueExA(hKey, entry[0], 0, REG_SZ, reinterpret_cast<const BYTE*>(entry[1]),
                           static_cast<DWORD>(strlen(entry[1]))) != ERROR_SUCCESS)
            strError.Format("RegSetValueEx '%s' failed\n", entry[0]);
    }
    RegCloseKey(hKey);
    return TRUE;
}

int CProfileSheet::SaveProfile()
{
    CSysConfigPage& sys = m_SysConfigPage;
    CAuthSecuPage& auth = m_AuthSecuPage;
    CString strSection = sys.m_strProfileName;
    LPCSTR s = strSection;

    WriteKey(s, "SSID", sys.m_strSsid);
    WriteKey(s, "Channel", StoredChannelFromText(sys.m_strChannel));
    WriteKey(s, "NetworkType", sys.m_nNetworkType);
    WriteKey(s, "PreambleType", sys.m_nPreamble == 1 ? 0 : 2);
    WriteKey(s, "ACPowerCam", sys.m_bCamOnAcPower);
    WriteKey(s, "PSMode", sys.m_nPowerSaveMode == 1 ? 2 : 0);
    WriteKey(s, "TXPower", sys.m_nTxPower);
    WriteKey(s, "UseRts", sys.m_bUseRtsThreshold);
    WriteKey(s, "RtsThresh", sys.m_bUseRtsThreshold ? sys.m_nRtsThreshold : 2347);
    WriteKey(s, "UseFrag", sys.m_bUseFragThreshold);
    WriteKey(s, "FragThresh", sys.m_bUseFragThreshold ? sys.m_nFragThreshold : 2346);

    auth.m_nAuthMode = AdjustStoredAuthMode(auth.m_nAuthMode, sys.m_nNetworkType);
    WriteKey(s, "AuthenType", auth.m_nAuthMode);
    if (auth.m_bLeap)
        auth.m_bUse8021x = 0;
    // The page's row text is built from the stored code, so the index takes the code.
    auth.m_nEncryptIndex =
        EncryptionCodeFromChoice(auth.m_nAuthMode, auth.m_nEncryptIndex, sys.m_nNetworkType,
                                 auth.m_bLeap, auth.m_bCcx, auth.m_nLeapEncryption);
    WriteKey(s, "Encryption", auth.m_nEncryptIndex);

    WriteKey(s, "LeapEnabled", auth.m_bLeap);
    WriteKey(s, "LeapUserName", auth.m_strLeapUser);
    WriteKey(s, "LeapPassword", auth.m_strLeapPassword);
    WriteKey(s, "LeapEncryType", auth.m_nLeapEncryption);
    WriteKey(s, "WPAPSK", auth.m_strWpaPsk);
    WriteKey(s, "WEPKeyUse", auth.m_nDefaultKey + 1);
    for (int i = 0; i < WEP_KEY_COUNT; i++)
    {
        CString strKey;
        strKey.Format("WEPKey%dType", i + 1);
        WriteKey(s, strKey, auth.m_nWepKeyType[i]);
    }
    for (int i = 0; i < WEP_KEY_COUNT; i++)
    {
        CString strKey;
        strKey.Format("WEPKey%d", i + 1);
        WriteKey(s, strKey,
                 auth.m_nWepKeyType[i] == 1 ? WepAsciiToHex(auth.m_strWepKeyAscii[i])
                                            : auth.m_strWepKeyHex[i]);
    }

    const Dot1xSettings& d = auth.m_dot1x;
    WriteKey(s, "Use8021X", auth.m_bUse8021x);
    WriteKey(s, "AuthenProtocol", d.nAuthenProtocol);
    WriteKey(s, "TunnelProtocol",
             d.nAuthenProtocol == DOT1X_METHOD_TTLS ? d.nTtlsInnerMethod : d.nTunnelProtocol);
    WriteKey(s, "ProvisioningTunnel", d.nProvisioningTunnel);
    WriteKey(s, "ID", d.strID);
    WriteKey(s, "Password", d.strPassword);
    WriteKey(s, "TunnelID", d.strTunnelID);
    WriteKey(s, "TunnelPassword", d.strTunnelPassword);
    WriteKey(s, "SessionResumption", d.nSessionResumption);
    WriteKey(s, "PasswordMode", d.nPasswordMode);
    WriteKey(s, "UseClientCert", d.bUseClientCert);
    WriteKey(s, "UseServerCert", d.bUseServerCert);
    WriteKey(s, "UsePAC", d.bUsePAC);
    WriteKey(s, "ProvisionMode", d.bProvisionMode);
    if (g_pCurrentProfile != NULL)
    {
        const char* pszPac = g_pCurrentProfile->PACFilePath;
        WriteKey(s, "PACFilePath",
                 CString(pszPac,
                         static_cast<int>(strnlen(pszPac, sizeof g_pCurrentProfile->PACFilePath))));
    }
    WriteKey(s, "ClientCertLen", g_nClientCertLen);
    WriteKey(s, "ServerCertLen", g_nServerCertLen);
    WriteKey(s, "ClientCertData", BytesToHex(g_pClientCertData, g_nClientCertLen));
    WriteKey(s, "ServerCertData", BytesToHex(g_pServerCertData, g_nServerCertLen));
    WriteKey(s, "ServerName", d.strServerName);
    WriteKey(s, "NameRule", d.nNameRule);
    WriteKey(s, "IntermediateCert", d.bIntermediateCert);
    return 1;
}

int CProfileSheet::LoadProfile()
{
    CSysConfigPage& sys = m_SysConfigPage;
    CAuthSecuPage& auth = m_AuthSecuPage;
    CString strSection = sys.m_strProfileName;
    LPCSTR s = strSection;
    CString str;
    int n = 0;

    ReadKey(s, "SSID", sys.m_strSsid);
    if (ReadKey(s, "NetworkType", n))
    {
        sys.m_nNetworkType = n;
        auth.m_bInfrastructure = n;
    }
    if (ReadKey(s, "Channel", str))
        sys.m_strChannel = ChannelTextFromStored(str.IsEmpty() ? "0" : (LPCSTR)str);
    if (ReadKey(s, "PSMode", n))
        sys.m_nPowerSaveMode = n == 2 ? 1 : (n > 2 ? 0 : n);
    ReadKey(s, "TXPower", sys.m_nTxPower);
    ReadKey(s, "ACPowerCam", sys.m_bCamOnAcPower);
    if (ReadKey(s, "PreambleType", n))
        sys.m_nPreamble = n == 0 ? 1 : 0;

    // The thresholds are off unless the section turns them on.
    sys.m_bUseRtsThreshold = 0;
    sys.m_nRtsThreshold = 2347;
    if (ReadKey(s, "UseRts", n) && n != 0)
    {
        sys.m_bUseRtsThreshold = n;
        if (ReadKey(s, "RtsThresh", n))
            sys.m_nRtsThreshold = Clamp(n, 0, 2347);
    }
    sys.m_bUseFragThreshold = 0;
    sys.m_nFragThreshold = 2346;
    if (ReadKey(s, "UseFrag", n) && n != 0)
    {
        sys.m_bUseFragThreshold = n;
        if (ReadKey(s, "FragThresh", n))
            sys.m_nFragThreshold = Clamp(n, 256, 2346);
    }

    ReadKey(s, "AuthenType", auth.m_nAuthMode);
    ReadKey(s, "LeapEnabled", auth.m_bLeap);
    if (ReadKey(s, "Encryption", n))
    {
        if (auth.m_bLeap)
        {
            auth.m_nLeapEncryption = n == 4 ? 1 : (n == 6 ? 2 : 0);
            auth.m_bUse8021x = 0;
        }
        else
            auth.m_nEncryptIndex = n == 1 || n == 4 ? 0 : 1;
    }
    ReadKey(s, "LeapUserName", auth.m_strLeapUser);
    ReadKey(s, "LeapPassword", auth.m_strLeapPassword);
    ReadKey(s, "LeapEncryType", auth.m_nLeapEncryption);
    if (ReadKey(s, "WEPKeyUse", n))
        auth.m_nDefaultKey = Clamp(n - 1, 0, WEP_KEY_COUNT - 1);
    for (int i = 0; i < WEP_KEY_COUNT; i++)
    {
        CString strKey;
        strKey.Format("WEPKey%dType", i + 1);
        if (ReadKey(s, strKey, n))
            auth.m_nWepKeyType[i] = n == 1 ? 1 : 0;
    }
    ReadKey(s, "WPAPSK", auth.m_strWpaPsk);
    for (int i = 0; i < WEP_KEY_COUNT; i++)
    {
        CString strKey;
        strKey.Format("WEPKey%d", i + 1);
        if (!ReadKey(s, strKey, str))
            continue;
        if (auth.m_nWepKeyType[i] == 1)
            WepHexToAscii(str, auth.m_strWepKeyAscii[i]);
        else
            auth.m_strWepKeyHex[i] = str;
    }

    Dot1xSettings& d = auth.m_dot1x;
    ReadKey(s, "Use8021X", auth.m_bUse8021x);
    ReadKey(s, "AuthenProtocol", d.nAuthenProtocol);
    if (ReadKey(s, "TunnelProtocol", n))
    {
        if (d.nAuthenProtocol == DOT1X_METHOD_TTLS)
            d.nTtlsInnerMethod = n;
        else
            d.nTunnelProtocol = n;
    }
    ReadKey(s, "ProvisioningTunnel", d.nProvisioningTunnel);
    ReadKey(s, "ID", d.strID);
    ReadKey(s, "Password", d.strPassword);
    ReadKey(s, "TunnelID", d.strTunnelID);
    ReadKey(s, "TunnelPassword", d.strTunnelPassword);
    ReadKey(s, "SessionResumption", d.nSessionResumption);
    ReadKey(s, "PasswordMode", d.nPasswordMode);
    ReadKey(s, "UseClientCert", d.bUseClientCert);
    ReadKey(s, "UseServerCert", d.bUseServerCert);
    ReadKey(s, "UsePAC", d.bUsePAC);
    ReadKey(s, "ProvisionMode", d.bProvisionMode);
    ReadKey(s, "PACFilePath", d.strPACFilePath);
    LoadCertificate(s, "ClientCertLen", "ClientCertData", &g_pClientCertData, &g_nClientCertLen);
    LoadCertificate(s, "ServerCertLen", "ServerCertData", &g_pServerCertData, &g_nServerCertLen);
    ReadKey(s, "ServerName", d.strServerName);
    ReadKey(s, "NameRule", d.nNameRule);
    ReadKey(s, "IntermediateCert", d.bIntermediateCert);
    return 1;
}

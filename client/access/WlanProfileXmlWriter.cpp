#include "client/access/WlanProfileXmlWriter.h"

#include "client/access/ScanList.h"
#include "client/access/SecurityIes.h"
#include "client/access/StationProfile.h"

#include <cstddef>
#include <cstring>
#include <string>

namespace
{

typedef std::basic_string<WCHAR> WideText;

const char WLAN_PROFILE_NS[] = "http://www.microsoft.com/networking/WLAN/profile/v1";
const char ONEX_NS[] = "http://www.microsoft.com/networking/OneX/v1";
const char EAP_HOST_NS[] = "http://www.microsoft.com/provisioning/EapHostConfig";
const char EAP_COMMON_NS[] = "http://www.microsoft.com/provisioning/EapCommon";

const WCHAR REPLACEMENT_CHAR = 0xFFFD;

WideText Widen(const char* psz)
{
    WideText str;
    while (*psz != '\0')
        str += static_cast<WCHAR>(static_cast<unsigned char>(*psz++));
    return str;
}

// The length of the UTF-8 sequence a lead byte starts, 0 for a byte that starts
// none.
int SequenceLength(BYTE b)
{
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF)
        return 2;
    if (b >= 0xE0 && b <= 0xEF)
        return 3;
    if (b >= 0xF0 && b <= 0xF4)
        return 4;
    return 0;
}

// Characters that an XML 1.0 document cannot hold in any form.
BOOL IsXmlChar(WCHAR ch)
{
    if (ch < 0x20)
        return ch == 0x09 || ch == 0x0A || ch == 0x0D;
    return ch != 0xFFFE && ch != 0xFFFF;
}

// Converts bytes of the ANSI code page. A byte that starts no well-formed
// sequence becomes the character of the same value, so that nothing is dropped.
// Returns FALSE when the text is not exactly the bytes: such a byte was met, or
// a character the document cannot hold (which is then replaced by U+FFFD).
BOOL AnsiToText(const BYTE* pBytes, int nBytes, WideText& str)
{
    BOOL bExact = TRUE;
    str.clear();
    int i = 0;
    while (i < nBytes)
    {
        int nSeq = SequenceLength(pBytes[i]);
        WCHAR wsz[2];
        int nChars = 0;
        if (nSeq > 0 && i + nSeq <= nBytes)
            nChars = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS,
                                         reinterpret_cast<LPCSTR>(pBytes + i), nSeq, wsz, 2);
        if (nChars <= 0)
        {
            str += static_cast<WCHAR>(pBytes[i]);
            bExact = FALSE;
            i++;
            continue;
        }
        for (int c = 0; c < nChars; c++)
        {
            if (IsXmlChar(wsz[c]))
                str += wsz[c];
            else
            {
                str += REPLACEMENT_CHAR;
                bExact = FALSE;
            }
        }
        i += nSeq;
    }
    return bExact;
}

// Text content: markup characters and quotes as entities, and the white space
// that a reader would normalise as character references.
WideText Escape(const WideText& str)
{
    WideText out;
    for (WCHAR ch : str)
    {
        switch (ch)
        {
        case '&':
            out += Widen("&amp;");
            break;
        case '<':
            out += Widen("&lt;");
            break;
        case '>':
            out += Widen("&gt;");
            break;
        case '"':
            out += Widen("&quot;");
            break;
        case '\'':
            out += Widen("&apos;");
            break;
        case 0x09:
            out += Widen("&#9;");
            break;
        case 0x0A:
            out += Widen("&#10;");
            break;
        case 0x0D:
            out += Widen("&#13;");
            break;
        default:
            out += ch;
            break;
        }
    }
    return out;
}

WideText HexText(const BYTE* pBytes, int nBytes)
{
    const char digits[] = "0123456789ABCDEF";
    WideText str;
    for (int i = 0; i < nBytes; i++)
    {
        str += static_cast<WCHAR>(digits[pBytes[i] >> 4]);
        str += static_cast<WCHAR>(digits[pBytes[i] & 0x0F]);
    }
    return str;
}

// "<name attribute>content</name>", or nothing when the content is empty.
WideText Element(const char* pszName, const WideText& strContent, const char* pszNamespace = "")
{
    if (strContent.empty())
        return WideText();
    WideText str = Widen("<") + Widen(pszName);
    if (*pszNamespace != '\0')
        str += Widen(" xmlns=\"") + Widen(pszNamespace) + Widen("\"");
    return str + Widen(">") + strContent + Widen("</") + Widen(pszName) + Widen(">");
}

WideText Element(const char* pszName, const char* pszContent, const char* pszNamespace = "")
{
    return Element(pszName, Widen(pszContent), pszNamespace);
}

const char* AuthenticationText(int nMode)
{
    switch (nMode)
    {
    case 1:
        return "shared";
    case 3:
        return "WPA";
    case 4:
    case 5:
        return "WPAPSK";
    case 6:
        return "WPA2";
    case 7:
        return "WPA2PSK";
    default:
        return "open";
    }
}

const char* EncryptionText(int nMode, DWORD dwStatus)
{
    BOOL bWepModes = nMode == 0 || nMode == 1 || nMode == 3 || nMode == 6;
    BOOL bWpaModes = nMode == 4 || nMode == 5 || nMode == 7;
    if (!bWepModes && !bWpaModes)
        return "none";
    if (dwStatus == 0)
        return bWepModes ? "WEP" : "none";
    if (dwStatus == 4)
        return "TKIP";
    if (dwStatus == 6)
        return "AES";
    return "none";
}

// The fields of a scan-list entry, read by their offset: entries lie at any
// alignment.
struct ListEntry
{
    const BYTE* pBytes;
    ULONG nLength;
    ULONG nSsidLength;
    LONG nRssi;
    ULONG nInfraMode;
};

template <typename T> T ReadAt(const BYTE* p, size_t nOffset)
{
    T value;
    memcpy(&value, p + nOffset, sizeof(value));
    return value;
}

// The strongest open infrastructure network of the published scan list; FALSE
// when none.
BOOL FindStrongestOpen(ListEntry* pBest)
{
    BOOL bFound = FALSE;
    WalkBssidList(
        g_pBssidListCopy,
        [&](const BYTE* pEntry)
        {
            ListEntry entry;
            entry.pBytes = pEntry;
            entry.nLength = ReadAt<ULONG>(entry.pBytes, offsetof(NDIS_WLAN_BSSID_EX, Length));
            entry.nSsidLength =
                ReadAt<ULONG>(entry.pBytes, offsetof(NDIS_WLAN_BSSID_EX, Ssid.SsidLength));
            entry.nRssi = ReadAt<LONG>(entry.pBytes, offsetof(NDIS_WLAN_BSSID_EX, Rssi));
            entry.nInfraMode =
                ReadAt<ULONG>(entry.pBytes, offsetof(NDIS_WLAN_BSSID_EX, InfrastructureMode));

            BssSecurity security;
            ParseSecurityIes(reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(entry.pBytes), &security);
            BssSecurity openOnly;
            memset(&openOnly, 0, sizeof(openOnly));
            openOnly.bHt = security.bHt;
            if (entry.nInfraMode == 1 && memcmp(&security, &openOnly, sizeof(security)) == 0 &&
                entry.nRssi > -250 && (!bFound || entry.nRssi > pBest->nRssi))
            {
                *pBest = entry;
                bFound = TRUE;
            }
            return FALSE;
        });
    return bFound;
}

void Clear(WCHAR* pszName, WCHAR* pszXml)
{
    if (pszName != nullptr)
        pszName[0] = 0;
    if (pszXml != nullptr)
        pszXml[0] = 0;
}

} // namespace

BOOL WlanProfileXmlWriter::Write(const StationProfile* pProfile, WCHAR* pszName, WCHAR* pszXml,
                                 DOT11_BSS_TYPE* pBssType, DWORD* pdwBssidGiven, BOOL* pbSecured)
{
    Clear(pszName, pszXml);
    if (pProfile == nullptr || pszName == nullptr || pszXml == nullptr)
        return FALSE;

    int nMode = static_cast<int>(pProfile->AuthenticationMode);
    DWORD dwStatus = pProfile->EncryptionStatus;
    DWORD dwNetworkType = pProfile->NetworkType;
    BOOL bOneX = pProfile->Use8021X == 1;

    const BYTE* pSsid = pProfile->Ssid;
    int nSsidLength = static_cast<int>(pProfile->SsidLength > 32 ? 32 : pProfile->SsidLength);

    const char* pszConnectionType;
    const char* pszConnectionMode;
    const char* pszAuthentication;
    const char* pszEncryption;
    DOT11_BSS_TYPE bssType;
    BOOL bSecured;
    if (nSsidLength == 0)
    {
        // No network named: take the strongest open one in range.
        ListEntry open;
        if (FindStrongestOpen(&open))
        {
            pSsid = open.pBytes + offsetof(NDIS_WLAN_BSSID_EX, Ssid.Ssid);
            nSsidLength = open.nSsidLength > 32 ? 32 : static_cast<int>(open.nSsidLength);
        }
        dwNetworkType = 1;
        pszConnectionType = "ESS";
        pszConnectionMode = "manual";
        pszAuthentication = "open";
        pszEncryption = "none";
        bOneX = FALSE;
        bssType = dot11_BSS_type_infrastructure;
        bSecured = FALSE;
    }
    else
    {
        pszConnectionType = dwNetworkType == 0 ? "IBSS" : "ESS";
        pszConnectionMode = dwNetworkType == 0 ? "manual" : "auto";
        pszAuthentication = AuthenticationText(nMode);
        pszEncryption = EncryptionText(nMode, dwStatus);
        bssType = dwNetworkType == 0   ? dot11_BSS_type_independent
                  : dwNetworkType == 1 ? dot11_BSS_type_infrastructure
                                       : dot11_BSS_type_any;
        bSecured = pProfile->Use8021X != 0 || nMode != 0 || dwStatus == 0 ||
                   (dwStatus >= 4 && dwStatus <= 7);
    }
    BOOL bEss = strcmp(pszConnectionType, "ESS") == 0;

    WideText strName;
    BOOL bExactSsid = AnsiToText(pSsid, nSsidLength, strName);
    // A name that is not exactly the SSID's bytes goes with the bytes themselves.
    WideText strSsidHex = bExactSsid ? WideText() : HexText(pSsid, nSsidLength);

    WideText strKeyType, strProtected, strKeyMaterial, strKeyIndex, strOneX;
    if (bOneX)
    {
        strOneX = Widen("<EAPConfig>") +
                  Element("EapHostConfig",
                          Widen("<EapMethod>") + Element("Type", "25", EAP_COMMON_NS) +
                              Element("VendorId", "0", EAP_COMMON_NS) +
                              Element("VendorType", "0", EAP_COMMON_NS) +
                              Element("AuthorId", "0", EAP_COMMON_NS) +
                              Widen("</EapMethod><ConfigBlob></ConfigBlob>"),
                          EAP_HOST_NS) +
                  Widen("</EAPConfig>");
    }
    else if (strcmp(pszEncryption, "WEP") == 0)
    {
        strKeyType = Widen("networkKey");
        strProtected = Widen("false");
        for (int i = 0; i < 4; i++)
        {
            const StationKeyBlock* pKey = WepKeyBlock(pProfile, i + 1);
            DWORD dwBlockSize = WepKeyBlockSize(pProfile, i + 1);
            if (pKey == nullptr || dwBlockSize < offsetof(StationKeyBlock, KeyMaterial) ||
                (pKey->KeyIndex & 0x80000000) == 0)
                continue;
            // The key material ends with the block.
            DWORD dwKeyLength = pKey->KeyLength;
            if (dwKeyLength > dwBlockSize - offsetof(StationKeyBlock, KeyMaterial))
                dwKeyLength = dwBlockSize - offsetof(StationKeyBlock, KeyMaterial);
            strKeyMaterial = HexText(pKey->KeyMaterial, static_cast<int>(dwKeyLength));
            strKeyIndex = WideText(1, static_cast<WCHAR>('0' + i));
            break;
        }
    }
    else if (strcmp(pszEncryption, "TKIP") == 0 || strcmp(pszEncryption, "AES") == 0)
    {
        DWORD dwLength = pProfile->WpaPassphraseLength;
        if (dwLength > sizeof(pProfile->WpaPassphrase))
            dwLength = sizeof(pProfile->WpaPassphrase);
        strKeyType = Widen(dwLength == 64 ? "networkKey" : "passPhrase");
        strProtected = Widen("false");
        WideText strPassphrase;
        AnsiToText(pProfile->WpaPassphrase, static_cast<int>(dwLength), strPassphrase);
        // A key the document cannot carry would connect with another key: store
        // nothing.
        if (strPassphrase.find(REPLACEMENT_CHAR) != WideText::npos)
            return FALSE;
        strKeyMaterial = Escape(strPassphrase);
    }

    WideText strDocument =
        Widen("<?xml version=\"1.0\"?>") +
        Element(
            "WLANProfile",
            Element("name", Escape(strName)) +
                Element("SSIDConfig", Element("SSID", Element("hex", strSsidHex) +
                                                          Element("name", Escape(strName))) +
                                          Element("nonBroadcast", bEss ? "true" : "")) +
                Element("connectionType", pszConnectionType) +
                Element("connectionMode", pszConnectionMode) +
                Element("autoSwitch", bEss ? "true" : "") +
                Element("MSM", Element("security",
                                       Element("authEncryption",
                                               Element("authentication", pszAuthentication) +
                                                   Element("encryption", pszEncryption) +
                                                   Element("useOneX", bOneX ? "true" : "false")) +
                                           Element("sharedKey",
                                                   Element("keyType", strKeyType) +
                                                       Element("protected", strProtected) +
                                                       Element("keyMaterial", strKeyMaterial)) +
                                           Element("keyIndex", strKeyIndex) +
                                           Element("OneX", strOneX, ONEX_NS))),
            WLAN_PROFILE_NS);

    // Nothing is stored when either text would not fit whole.
    if (strName.size() >= static_cast<size_t>(WLAN_PROFILE_NAME_CHARS) ||
        strDocument.size() >= static_cast<size_t>(WLAN_PROFILE_XML_CHARS))
        return FALSE;
    memcpy(pszName, strName.c_str(), (strName.size() + 1) * sizeof(WCHAR));
    memcpy(pszXml, strDocument.c_str(), (strDocument.size() + 1) * sizeof(WCHAR));
    if (pBssType != nullptr)
        *pBssType = bssType;
    if (pdwBssidGiven != nullptr)
        *pdwBssidGiven = pProfile->BssidGiven;
    if (pbSecured != nullptr)
        *pbSecured = bSecured;
    return TRUE;
}

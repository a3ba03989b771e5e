#include "client/app/SettingsStore.h"

#include "client/access/AdapterState.h"
#include "client/app/ProgramObjects.h"
#include "platform/profile/IniDocument.h"

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace
{

const char* const kChipPrefix[] = {"KQ1400PCI_", "KQ1400USB_", "KQ1600PCI_", "KQ1600USB_", "KQ21_",
                                   "KQ23_",      "KQ3300_",    "KQ3300_",    "KQ3400_"};

struct KindSuffix
{
    int nKind;
    const char* pszSuffix;
};
const KindSuffix kKindSuffix[] = {
    {INI_KIND_STATION, "_sta"}, {INI_KIND_AP, "_ap"}, {INI_KIND_PROFILE, "_prof"}};

// The section-name list is read into this many bytes: names past it are not returned.
const DWORD kSectionListSize = 1000;
const DWORD kCopyValueSize = 128;

// Whole contents of a file through the platform's file functions; false when it cannot be
// opened or read.
bool ReadFileWhole(LPCSTR lpszFile, std::string& contents)
{
    HANDLE hFile = CreateFileA(lpszFile, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, 0);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    contents.clear();
    char buffer[4096];
    DWORD dwRead = 0;
    bool ok = true;
    for (;;)
    {
        if (!ReadFile(hFile, buffer, sizeof buffer, &dwRead, NULL))
        {
            ok = false;
            break;
        }
        if (dwRead == 0)
            break;
        contents.append(buffer, dwRead);
    }
    CloseHandle(hFile);
    return ok;
}

bool WriteFileWhole(LPCSTR lpszFile, const std::string& contents)
{
    HANDLE hFile = CreateFileA(lpszFile, GENERIC_READ | GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, 0);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD dwWritten = 0;
    bool ok =
        contents.empty() ||
        (WriteFile(hFile, contents.data(), static_cast<DWORD>(contents.size()), &dwWritten, NULL) &&
         dwWritten == contents.size());
    CloseHandle(hFile);
    return ok;
}

} // namespace

extern const char* const g_szProfileKeys[48] = {"ACPowerCam",
                                                "AuthenProtocol",
                                                "AuthenType",
                                                "Channel",
                                                "ClientCertData",
                                                "ClientCertLen",
                                                "Encryption",
                                                "FragThresh",
                                                "ID",
                                                "IntermediateCert",
                                                "LeapEnabled",
                                                "LeapEncryType",
                                                "LeapPassword",
                                                "LeapUserName",
                                                "NameRule",
                                                "NetworkType",
                                                "Password",
                                                "PasswordMode",
                                                "PreambleType",
                                                "ProvisioningTunnel",
                                                "ProvisionMode",
                                                "PSMode",
                                                "RtsThresh",
                                                "ServerCertData",
                                                "ServerCertLen",
                                                "ServerName",
                                                "SessionResumption",
                                                "SSID",
                                                "TunnelID",
                                                "TunnelPassword",
                                                "TunnelProtocol",
                                                "TXPower",
                                                "Use8021X",
                                                "UseClientCert",
                                                "UseFrag",
                                                "UsePAC",
                                                "UseRts",
                                                "UseServerCert",
                                                "WEPKey1",
                                                "WEPKey1Type",
                                                "WEPKey2",
                                                "WEPKey2Type",
                                                "WEPKey3",
                                                "WEPKey3Type",
                                                "WEPKey4",
                                                "WEPKey4Type",
                                                "WEPKeyUse",
                                                "WPAPSK"};

CString GetIniFileName(LPCSTR lpszName, int nKind)
{
    CString strFile = theApp.GetDataDir();
    if (g_nChipType >= 0 && g_nChipType < static_cast<int>(std::size(kChipPrefix)))
        strFile += kChipPrefix[g_nChipType];
    strFile += lpszName;
    for (const KindSuffix& kind : kKindSuffix)
    {
        if (kind.nKind == nKind)
        {
            strFile += kind.pszSuffix;
            break;
        }
    }
    return strFile;
}

void GetIniValue(LPCSTR lpszName, int nKind, LPCSTR lpszSection, LPCSTR lpszKey, LPSTR lpBuffer,
                 DWORD nSize)
{
    CString strFile = GetIniFileName(lpszName, nKind);
    GetPrivateProfileStringA(lpszSection, lpszKey, "", lpBuffer, nSize, strFile);
}

BOOL SetIniValue(LPCSTR lpszName, int nKind, LPCSTR lpszSection, LPCSTR lpszKey, LPCSTR lpszValue)
{
    CString strFile = GetIniFileName(lpszName, nKind);
    // Reading trims blanks around a value and drops one pair of quotes around it: such a value
    // (a passphrase or SSID as typed) is written inside quotes so that it reads back whole.
    size_t nLen = lpszValue != NULL ? strlen(lpszValue) : 0;
    if (nLen > 0 &&
        (strchr(" \t", lpszValue[0]) != NULL || strchr(" \t", lpszValue[nLen - 1]) != NULL ||
         (nLen >= 2 && (lpszValue[0] == '"' || lpszValue[0] == '\'') &&
          lpszValue[nLen - 1] == lpszValue[0])))
    {
        CString strQuoted = CString("\"") + lpszValue + "\"";
        return WritePrivateProfileStringA(lpszSection, lpszKey, strQuoted, strFile);
    }
    return WritePrivateProfileStringA(lpszSection, lpszKey, lpszValue, strFile);
}

void WriteIniProfileKeys(LPCSTR lpszName, LPCSTR lpszSection)
{
    for (LPCSTR pszKey : g_szProfileKeys)
        SetIniValue(lpszName, INI_KIND_PROFILE, lpszSection, pszKey, "");
}

void GetIniSectionNames(LPCSTR lpszName, CStringArray& list)
{
    list.RemoveAll();
    CString strFile = GetIniFileName(lpszName, INI_KIND_PROFILE);

    // Read the whole list, so a name cut off by the buffer is never mistaken for a whole one.
    std::vector<char> names(kSectionListSize);
    for (;;)
    {
        DWORD dwLen =
            GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()), strFile);
        if (dwLen + 2 < names.size())
            break;
        names.resize(names.size() * 2);
    }

    // Only the names that fit whole in the list buffer, with the list's closing zero.
    DWORD dwUsed = 0;
    for (const char* p = names.data(); *p != '\0'; p += strlen(p) + 1)
    {
        DWORD dwNeed = static_cast<DWORD>(strlen(p)) + 1;
        if (dwUsed + dwNeed + 1 > kSectionListSize)
            break;
        dwUsed += dwNeed;
        list.Add(CString(p));
    }
}

int IniSectionExists(LPCSTR lpszName, LPCSTR lpszSection)
{
    CStringArray list;
    GetIniSectionNames(lpszName, list);
    for (int i = 0; i < list.GetSize(); i++)
    {
        if (strcmp(list.GetAt(i), lpszSection) == 0)
            return 1;
    }
    return 0;
}

int DeleteIniSection(LPCSTR lpszName, LPCSTR lpszSection)
{
    CString strFile = GetIniFileName(lpszName, INI_KIND_PROFILE);
    std::string contents;
    if (!ReadFileWhole(strFile, contents))
        return 0;

    // Headers are the lines the private-profile functions take for headers (an indented "[" is
    // one too): a section this walk missed would be read back, or swallowed with the one before
    // it. Every line outside the named sections is kept as it was, with its line end; so are a
    // last line without one and any text before the first header.
    const platform::ini::Document doc = platform::ini::Document::Parse(contents);
    std::string result;
    result.reserve(contents.size());
    std::size_t nLine = 0;
    for (const platform::ini::Section& section : doc.sections())
    {
        if (section.name != lpszSection)
            continue;
        for (; nLine < section.header; nLine++)
            result += doc.withEndOf(doc.lines()[nLine]);
        nLine = section.end;
    }
    for (; nLine < doc.lines().size(); nLine++)
        result += doc.withEndOf(doc.lines()[nLine]);

    // Write the new contents aside and put them in place in one step: a failure on the way
    // leaves the old file as it was.
    CString strTemp = strFile + ".new";
    if (!WriteFileWhole(strTemp, result))
    {
        DeleteFileA(strTemp);
        return 0;
    }
    if (!MoveFileExA(strTemp, strFile, MOVEFILE_REPLACE_EXISTING))
    {
        DeleteFileA(strTemp);
        return 0;
    }
    return 1;
}

void CopyIniSection(LPCSTR lpszName, LPCSTR lpszSection)
{
    for (LPCSTR pszKey : g_szProfileKeys)
    {
        char szValue[kCopyValueSize] = {0};
        GetIniValue(lpszName, INI_KIND_PROFILE, lpszSection, pszKey, szValue, sizeof szValue);
        SetIniValue(lpszName, INI_KIND_STATION, "Config", pszKey, szValue);
    }
}

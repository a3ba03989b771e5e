#include "accesspoint/settings/ApSettingsReader.h"

#include "accesspoint/settings/ApSettingsTable.h"
#include "adapter/crypto/HexToBytes.h"
#include "adapter/registry/RegistryCopy.h"

#include <cstdlib>
#include <cstring>
#include <vector>

BOOL CApSettingsReader::ReadText(LPCSTR pszName, CString& strValue) const
{
    char szValue[AP_VALUE_BUFFER];
    if (ReadDriverValue(m_hKey, pszName, szValue, sizeof(szValue)) != ERROR_SUCCESS)
    {
        ReportApReadFailure(pszName);
        return FALSE;
    }
    strValue = szValue;
    return TRUE;
}

BOOL CApSettingsReader::ReadNumber(LPCSTR pszName, int& nValue) const
{
    CString strValue;
    if (!ReadText(pszName, strValue))
        return FALSE;
    nValue = atoi(strValue);
    return TRUE;
}

BOOL CApSettingsReader::ReadBytes(LPCSTR pszName, BYTE* pData, DWORD cbData) const
{
    BYTE abValue[AP_VALUE_BUFFER];
    memset(abValue, 0, sizeof(abValue));
    DWORD dwType = 0;
    DWORD cbValue = sizeof(abValue);
    if (RegQueryValueExA(m_hKey, pszName, NULL, &dwType, abValue, &cbValue) != ERROR_SUCCESS)
    {
        ReportApReadFailure(pszName);
        return FALSE;
    }
    memcpy(pData, abValue, cbData < sizeof(abValue) ? cbData : sizeof(abValue));
    return TRUE;
}

BOOL CApSettingsReader::ReadList(LPCSTR pszName, CStringArray& entries, int nMax) const
{
    // One byte more than the buffer holds stays zero: the walk always finds the list's end.
    std::vector<char> buffer(AP_VALUE_BUFFER + 1, 0);
    DWORD cbData = 0;
    if (ReadDriverValue(m_hKey, pszName, buffer.data(), AP_VALUE_BUFFER, &cbData) != ERROR_SUCCESS)
    {
        ReportApReadFailure(pszName);
        return FALSE;
    }
    entries.RemoveAll();
    const char* p = buffer.data();
    const char* pEnd = buffer.data() + cbData;
    while (p < pEnd && *p != '\0' && entries.GetSize() < nMax)
    {
        entries.Add(p);
        p += strlen(p) + 1;
    }
    return TRUE;
}

BOOL IsHexText(LPCSTR pszText, int nChars)
{
    if (static_cast<int>(strlen(pszText)) != nChars)
        return FALSE;
    for (int i = 0; i < nChars; i++)
    {
        if (HexDigitValue(pszText[i]) > 15)
            return FALSE;
    }
    return TRUE;
}

BOOL ParseMacText(LPCSTR pszText, BYTE abMac[6])
{
    if (!IsHexText(pszText, 12))
        return FALSE;
    HexToBytes(pszText, abMac, 6);
    return TRUE;
}

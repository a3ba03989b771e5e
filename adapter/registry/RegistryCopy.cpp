#include "adapter/registry/RegistryCopy.h"

#include <cstring>
#include <vector>

#define REG_COPY_BUFFER 260

BOOL CopyRegistryKeyValues(HKEY hSource, HKEY hDest)
{
    // The buffers fit the longest name and data of the key: the access-point settings hold
    // lists (an access control list of 32 addresses takes 417 bytes) that a fixed 260-byte
    // buffer would cut the copy short at, losing every value after them.
    DWORD cchMaxName = 0;
    DWORD cbMaxData = 0;
    if (RegQueryInfoKeyA(hSource, NULL, NULL, NULL, NULL, NULL, NULL, NULL, &cchMaxName, &cbMaxData,
                         NULL, NULL) != ERROR_SUCCESS)
    {
        cchMaxName = 0;
        cbMaxData = 0;
    }
    std::vector<char> name(cchMaxName + 1 > REG_COPY_BUFFER ? cchMaxName + 1 : REG_COPY_BUFFER);
    std::vector<BYTE> data(cbMaxData > REG_COPY_BUFFER ? cbMaxData : REG_COPY_BUFFER);

    for (DWORD dwIndex = 0;; dwIndex++)
    {
        DWORD cchName = static_cast<DWORD>(name.size());
        DWORD cbData = static_cast<DWORD>(data.size());
        DWORD dwType = 0;
        LONG lResult = RegEnumValueA(hSource, dwIndex, name.data(), &cchName, NULL, &dwType,
                                     data.data(), &cbData);
        if (lResult == ERROR_NO_MORE_ITEMS)
            return TRUE;
        if (lResult != ERROR_SUCCESS)
            return FALSE;
        if (RegSetValueExA(hDest, name.data(), 0, dwType, data.data(), cbData) != ERROR_SUCCESS)
            return FALSE;
    }
}

LONG SetDriverText(HKEY hKey, LPCSTR lpszName, LPCSTR lpszText)
{
    return RegSetValueExA(hKey, lpszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszText),
                          static_cast<DWORD>(strlen(lpszText)));
}

LONG SetDwordValue(HKEY hKey, LPCSTR lpszName, DWORD dwValue)
{
    return RegSetValueExA(hKey, lpszName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue),
                          sizeof(dwValue));
}

LONG SetDriverEmptyList(HKEY hKey, LPCSTR lpszName)
{
    const BYTE bEmpty = 0;
    return RegSetValueExA(hKey, lpszName, 0, REG_MULTI_SZ, &bEmpty, 1);
}

LONG ReadDriverValue(HKEY hKey, LPCSTR lpszName, char* pBuffer, DWORD cbBuffer, LPDWORD pcbData)
{
    if (cbBuffer == 0)
        return ERROR_INSUFFICIENT_BUFFER;
    memset(pBuffer, 0, cbBuffer);
    DWORD dwType = 0;
    DWORD cbData = cbBuffer;
    LONG lResult =
        RegQueryValueExA(hKey, lpszName, NULL, &dwType, reinterpret_cast<LPBYTE>(pBuffer), &cbData);
    if (lResult != ERROR_SUCCESS)
    {
        pBuffer[0] = 0;
        cbData = 0;
    }
    else if (cbData >= cbBuffer)
        cbData = cbBuffer - 1;
    pBuffer[cbData] = 0;
    if (pcbData != NULL)
        *pcbData = cbData;
    return lResult;
}

void ReportRegistryFailure(LPCSTR lpszFormat, LPCSTR lpszName)
{
    CString strError;
    strError.Format(lpszFormat, lpszName);
    OutputDebugStringA(strError);
}

HKEY OpenMachineKey(LPCSTR pszKey, REGSAM samDesired)
{
    HKEY hKey = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, pszKey, 0, samDesired, &hKey) != ERROR_SUCCESS)
    {
        ReportRegistryFailure("RegOpenKeyEx '%hs' failed\n", pszKey);
        return 0;
    }
    return hKey;
}

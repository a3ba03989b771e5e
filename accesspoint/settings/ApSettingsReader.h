#pragma once
// Reading the access point's settings from an open key: each value into a zeroed buffer of
// AP_VALUE_BUFFER bytes, always terminated. A value that cannot be read reports its failure
// text and leaves the caller's field as it was.

#include "platform/Windows.h"

class CApSettingsReader
{
public:
    explicit CApSettingsReader(HKEY hKey) : m_hKey(hKey) {}

    BOOL ReadText(LPCSTR pszName, CString& strValue) const;
    // Signed decimal text.
    BOOL ReadNumber(LPCSTR pszName, int& nValue) const;
    // The value's first bytes as they are stored, for the REG_DWORD values.
    BOOL ReadBytes(LPCSTR pszName, BYTE* pData, DWORD cbData) const;
    // The entries of a multi-string up to the first empty one, at most nMax.
    BOOL ReadList(LPCSTR pszName, CStringArray& entries, int nMax) const;

private:
    HKEY m_hKey;
};

// A MAC address of 12 hexadecimal digits into 6 bytes; FALSE for any other text.
BOOL ParseMacText(LPCSTR pszText, BYTE abMac[6]);
// TRUE when the text is nChars hexadecimal digits.
BOOL IsHexText(LPCSTR pszText, int nChars);

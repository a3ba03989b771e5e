#include "adapter/crypto/HexKeyText.h"

#include "adapter/crypto/HexToBytes.h"

#include <cstring>

CString BytesToHex(const BYTE* pData, int nLen)
{
    CString strHex;
    for (int i = 0; pData != NULL && i < nLen; i++)
        strHex.AppendFormat("%02x", static_cast<unsigned int>(pData[i]));
    return strHex;
}

CString WepAsciiToHex(LPCSTR pszAscii)
{
    int nLen = static_cast<int>(strlen(pszAscii));
    if (nLen == 0)
        return CString();
    int nBytes = nLen == 5 ? 5 : 13;
    if (nBytes > nLen)
        nBytes = nLen;
    // Two digits per unsigned byte: a character above 0x7F keeps the key's length.
    return BytesToHex(reinterpret_cast<const BYTE*>(pszAscii), nBytes);
}

BOOL WepHexToAscii(LPCSTR pszHex, CString& strAscii)
{
    strAscii.Empty();
    int nLen = static_cast<int>(strlen(pszHex));
    if (nLen != 10 && nLen != 26)
        return FALSE;
    CString strText;
    for (int i = 0; i < nLen; i += 2)
    {
        BYTE nHigh = HexDigitValue(pszHex[i]);
        BYTE nLow = HexDigitValue(pszHex[i + 1]);
        // A zero byte would end the text early: not a key that was typed.
        if (nHigh > 15 || nLow > 15 || (nHigh == 0 && nLow == 0))
            return FALSE;
        strText += static_cast<char>(nHigh * 16 + nLow);
    }
    strAscii = strText;
    return TRUE;
}

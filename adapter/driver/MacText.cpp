#include "adapter/driver/MacText.h"

#include "adapter/crypto/HexToBytes.h"

CString MacText(const BYTE* pMac)
{
    CString strMac;
    strMac.Format("%02X-%02X-%02X-%02X-%02X-%02X", pMac[0], pMac[1], pMac[2], pMac[3], pMac[4],
                  pMac[5]);
    return strMac;
}

void MacTextToBytes(LPCSTR pszText, BYTE* pMac)
{
    CString strDigits = pszText != NULL ? pszText : "";
    strDigits.Remove('-');
    HexToBytes(strDigits, pMac, 6);
}

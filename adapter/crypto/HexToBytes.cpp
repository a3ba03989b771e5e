#include "adapter/crypto/HexToBytes.h"

BYTE HexDigitValue(char ch)
{
    if (ch >= '0' && ch <= '9')
        return static_cast<BYTE>(ch - '0');
    if (ch >= 'A' && ch <= 'F')
        return static_cast<BYTE>(ch - 'A' + 10);
    if (ch >= 'a' && ch <= 'f')
        return static_cast<BYTE>(ch - 'a' + 10);
    return 255;
}

void HexToBytes(LPCSTR pszText, BYTE* pOut, int nBytes)
{
    // Past the terminator every digit counts as the terminator itself would: 255.
    BOOL bEnded = (pszText == NULL);
    for (int i = 0; i < nBytes; i++)
    {
        BYTE digits[2];
        for (int j = 0; j < 2; j++)
        {
            if (!bEnded && pszText[2 * i + j] == '\0')
                bEnded = TRUE;
            digits[j] = bEnded ? 255 : HexDigitValue(pszText[2 * i + j]);
        }
        pOut[i] = static_cast<BYTE>(16 * digits[0] + digits[1]);
    }
}

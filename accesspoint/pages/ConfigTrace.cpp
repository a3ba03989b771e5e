#include "accesspoint/pages/ConfigTrace.h"

#include "accesspoint/app/ApGlobals.h"

void AppendConfigTrace(LPCSTR pszFormat, LPCSTR pszValue)
{
    if (g_nCheckBuild != 1)
        return;
    HANDLE hFile = CreateFileA(CONFIG_TRACE_FILE, GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, 0);
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    CString strLine;
    strLine.Format(pszFormat, pszValue);
    SetFilePointer(hFile, 0, NULL, FILE_END);
    DWORD dwWritten = 0;
    WriteFile(hFile, static_cast<LPCSTR>(strLine), static_cast<DWORD>(strLine.GetLength()),
              &dwWritten, NULL);
    CloseHandle(hFile);
}

#include "adapter/about/FileVersionText.h"

#include "adapter/about/BoundedText.h"
#include "adapter/system/Wow64.h"

#include <cstring>
#include <vector>

BOOL ReadFileVersionText(LPCSTR pszFile, CString& strVersion, CString& strDate, CString* pstrLegal)
{
    DWORD dwHandle = 0;
    DWORD dwSize = GetFileVersionInfoSizeA(pszFile, &dwHandle);
    if (dwSize == 0)
        return FALSE;
    std::vector<BYTE> block(dwSize, 0);
    if (!GetFileVersionInfoA(pszFile, dwHandle, dwSize, block.data()))
        return FALSE;

    VS_FIXEDFILEINFO* pFixed = NULL;
    UINT nLen = 0;
    if (VerQueryValueA(block.data(), "\\", reinterpret_cast<LPVOID*>(&pFixed), &nLen) &&
        pFixed != NULL && nLen >= sizeof(VS_FIXEDFILEINFO))
        strVersion.Format("%d.%d.%d.%d\n", HIWORD(pFixed->dwFileVersionMS),
                          LOWORD(pFixed->dwFileVersionMS), HIWORD(pFixed->dwFileVersionLS),
                          LOWORD(pFixed->dwFileVersionLS));
    if (pstrLegal != NULL)
    {
        char* pszLegal = NULL;
        if (VerQueryValueA(block.data(), "\\StringFileInfo\\040904B0\\LegalCopyright",
                           reinterpret_cast<LPVOID*>(&pszLegal), &nLen) &&
            pszLegal != NULL)
            *pstrLegal = BoundedText(pszLegal, nLen);
    }
    CFileStatus status;
    if (CFile::GetStatus(pszFile, status))
        strDate = status.m_mtime.Format("%m-%d-%Y");
    return TRUE;
}

BOOL ReadDriverFileVersionText(LPCSTR pszFile, CString& strVersion, CString& strDate, BOOL bNative)
{
    PFN_Wow64DisableWow64FsRedirection pfnDisable = NULL;
    PFN_Wow64RevertWow64FsRedirection pfnRevert = NULL;
    if (bNative)
    {
        pfnDisable = reinterpret_cast<PFN_Wow64DisableWow64FsRedirection>(
            Kernel32Function("Wow64DisableWow64FsRedirection"));
        pfnRevert = reinterpret_cast<PFN_Wow64RevertWow64FsRedirection>(
            Kernel32Function("Wow64RevertWow64FsRedirection"));
    }
    void* pOldState = NULL;
    BOOL bDisabled = FALSE;
    if (pfnDisable != NULL && pfnRevert != NULL)
        bDisabled = pfnDisable(&pOldState);
    BOOL bRead = ReadFileVersionText(pszFile, strVersion, strDate, NULL);
    if (bDisabled)
        pfnRevert(pOldState);
    return bRead;
}

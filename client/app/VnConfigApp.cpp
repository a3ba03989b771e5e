#include "client/app/VnConfigApp.h"

#include "adapter/radio/ChannelFrequencyTable.h"
#include "adapter/system/SingleInstance.h"
#include "client/monitor/HideDlg.h"
#include "platform/system/Crt.h"
#include "resources/TessarynUI/resource.h"

namespace
{

const char kSettingFile[] = ".\\setting";
const DWORD kPathBufferSize = 128;

} // namespace

CVnConfigApp::CVnConfigApp() : m_hMutex(0), m_nStorageType(0) {}

BOOL CVnConfigApp::InitInstance()
{
    AfxEnableControlContainer();

    // Another instance (or the access-point program) runs: it is asked to open its window.
    m_hMutex = ClaimSingleInstance();
    if (m_hMutex == 0)
        return FALSE;

    BuildDataDirectory();
    // The table's last rows are completed before the first window reads it.
    CompleteChannelFrequencyTable();

    CString strHelpFile = ".\\";
    strHelpFile += "VnConfig.HLP";
    strHelpFile.Replace(".HLP", "ENG.chm");
    free(const_cast<char*>(m_pszHelpFilePath));
    m_pszHelpFilePath = _strdup(strHelpFile);

    CHideDlg dlg;
    if (IsTrayOnlyCommandTail(m_lpCmdLine))
        dlg.m_bOpenSheetAtStart = FALSE;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = NULL;
    return FALSE;
}

int CVnConfigApp::ExitInstance()
{
    ReleaseSingleInstance(m_hMutex);
    return CWinApp::ExitInstance();
}

void CVnConfigApp::BuildDataDirectory()
{
    m_strDataDir.Empty();
    int nType = GetPrivateProfileIntA("config", "type", 1, kSettingFile);
    if (nType == 1)
    {
        m_nStorageType = 0;
        HKEY hKey = 0;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "Volatile Environment", 0, KEY_READ, &hKey) ==
            ERROR_SUCCESS)
        {
            char szPath[kPathBufferSize + 1] = {0};
            DWORD dwSize = kPathBufferSize;
            DWORD dwType = 0;
            if (RegQueryValueExA(hKey, "LOCALAPPDATA", NULL, &dwType,
                                 reinterpret_cast<LPBYTE>(szPath), &dwSize) == ERROR_SUCCESS)
            {
                // The value may come without its terminating zero: end it where it ends.
                szPath[dwSize < kPathBufferSize ? dwSize : kPathBufferSize - 1] = '\0';
                m_strDataDir = szPath;
                m_strDataDir += "\\";
            }
            RegCloseKey(hKey);
        }
    }
    else if (nType == 2)
    {
        m_nStorageType = 1;
        char szDir[kPathBufferSize] = {0};
        GetPrivateProfileStringA("config", "dir", ".\\", szDir, kPathBufferSize, kSettingFile);
        m_strDataDir = szDir;
    }
}

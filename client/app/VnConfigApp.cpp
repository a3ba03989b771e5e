#include "client/app/VnConfigApp.h"

#include "adapter/radio/ChannelFrequencyTable.h"
#include "client/monitor/HideDlg.h"
#include "platform/system/Crt.h"
#include "resources/TessarynUI/resource.h"

namespace
{

// Shared with TessarynAp: at most one of the two programs runs.
const char kInstanceMutex[] = "KQ21";
const char kMonitorTitle[] = "Vantir Wireless UI";
const char kSettingFile[] = ".\\setting";
const DWORD kPathBufferSize = 128;

} // namespace

CVnConfigApp::CVnConfigApp() : m_hMutex(0), m_nStorageType(0) {}

BOOL CVnConfigApp::InitInstance()
{
    AfxEnableControlContainer();

    m_hMutex = CreateMutexA(NULL, FALSE, kInstanceMutex);
    if (GetLastError() == ERROR_ALREADY_EXISTS)
    {
        // Another instance (or the access-point program) runs: ask it to open its window.
        if (m_hMutex != 0)
            CloseHandle(m_hMutex);
        m_hMutex = 0;
        HWND hWnd = FindWindowA(NULL, kMonitorTitle);
        if (hWnd != 0)
            PostMessageA(hWnd, WM_COMMAND, ID_TRAY_LAUNCH, 0);
        return FALSE;
    }

    BuildDataDirectory();
    // The table's last rows are completed before the first window reads it.
    CompleteChannelFrequencyTable();

    CString strHelpFile = ".\\";
    strHelpFile += "VnConfig.HLP";
    strHelpFile.Replace(".HLP", "ENG.chm");
    free(const_cast<char*>(m_pszHelpFilePath));
    m_pszHelpFilePath = _strdup(strHelpFile);

    CHideDlg dlg;
    CString strTail = m_lpCmdLine;
    if (strTail.CompareNoCase("-S") == 0)
        dlg.m_bOpenSheetAtStart = FALSE;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = NULL;
    return FALSE;
}

int CVnConfigApp::ExitInstance()
{
    // The mutex is never owned: closing the handle is what releases it.
    if (m_hMutex != 0)
    {
        CloseHandle(m_hMutex);
        m_hMutex = 0;
    }
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

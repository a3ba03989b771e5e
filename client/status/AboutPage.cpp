#include "client/status/AboutPage.h"

#include "adapter/discovery/AdapterDiscovery.h"
#include "adapter/driver/DriverRequest.h"
#include "adapter/system/OsVersion.h"
#include "client/access/AdapterState.h"
#include "client/access/OidAccessor.h"
#include "client/monitor/ClientGlobals.h"
#include "client/monitor/HideDlg.h"
#include "resources/TessarynUI/resource.h"

#include <cstring>

#define OID_EEPROM_VERSION 0xFF0C0004
#define OID_FIRMWARE_VERSION 0xFF0C0005

#define ABOUT_TIMER_ID 0
#define ABOUT_PERIOD 5000

CWinThread* g_pWebLinkThread = NULL;

namespace
{

// A zero-terminated text of at most nSize bytes (adapter-list strings are fixed arrays).
CString BoundedText(const char* psz, size_t nSize)
{
    size_t nLength = 0;
    while (nLength < nSize && psz[nLength] != '\0')
        nLength++;
    return CString(psz, static_cast<int>(nLength));
}

} // namespace

IMPLEMENT_DYNCREATE(CAboutPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CAboutPage, CPropertyPage)
ON_BN_CLICKED(IDC_ABOUT_WEB_LINK, OnWebLink)
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CAboutPage::CAboutPage() : CPropertyPage(CAboutPage::IDD, IDS_PAGE_ABOUT), m_nTimerId(0)
{
    memset(m_abCardMac, 0, sizeof(m_abCardMac));
}

CAboutPage::~CAboutPage() {}

void CAboutPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ABOUT_UTILITY_VERSION, m_strUtilityVersion);
    DDX_Text(pDX, IDC_ABOUT_UTILITY_DATE, m_strUtilityDate);
    DDX_Text(pDX, IDC_ABOUT_LEGAL, m_strLegalCopyright);
    DDX_Text(pDX, IDC_ABOUT_DRIVER_VERSION, m_strDriverVersion);
    DDX_Text(pDX, IDC_ABOUT_DRIVER_DATE, m_strDriverDate);
    DDX_Text(pDX, IDC_ABOUT_EEPROM_VERSION, m_strEepromVersion);
    DDX_Text(pDX, IDC_ABOUT_FIRMWARE_VERSION, m_strFirmwareVersion);
    DDX_Text(pDX, IDC_ABOUT_MAC, m_strMacAddress);
    DDX_Text(pDX, IDC_ABOUT_IP, m_strIpAddress);
    DDX_Text(pDX, IDC_ABOUT_MASK, m_strSubnetMask);
    DDX_Text(pDX, IDC_ABOUT_GATEWAY, m_strGateway);
    DDX_Text(pDX, IDC_ABOUT_UTILITY_VERSION_LABEL, m_strUtilityVersionLabel);
    DDX_Text(pDX, IDC_ABOUT_UTILITY_DATE_LABEL, m_strUtilityDateLabel);
    DDX_Text(pDX, IDC_ABOUT_DRIVER_VERSION_LABEL, m_strDriverVersionLabel);
    DDX_Text(pDX, IDC_ABOUT_DRIVER_DATE_LABEL, m_strDriverDateLabel);
    DDX_Text(pDX, IDC_ABOUT_EEPROM_LABEL, m_strEepromLabel);
    DDX_Text(pDX, IDC_ABOUT_FIRMWARE_LABEL, m_strFirmwareLabel);
    DDX_Text(pDX, IDC_ABOUT_MAC_LABEL, m_strMacLabel);
    DDX_Text(pDX, IDC_ABOUT_IP_LABEL, m_strIpLabel);
    DDX_Text(pDX, IDC_ABOUT_MASK_LABEL, m_strMaskLabel);
    DDX_Text(pDX, IDC_ABOUT_GATEWAY_LABEL, m_strGatewayLabel);
}

BOOL CAboutPage::ReadFileVersion(LPCSTR pszFile, CString& strVersion, CString& strDate,
                                 CString* pstrLegal)
{
    DWORD dwHandle = 0;
    DWORD dwSize = GetFileVersionInfoSizeA(pszFile, &dwHandle);
    if (dwSize == 0)
        return FALSE;
    BYTE* pBlock = new BYTE[dwSize];
    memset(pBlock, 0, dwSize);
    BOOL bRead = GetFileVersionInfoA(pszFile, dwHandle, dwSize, pBlock);
    if (bRead)
    {
        VS_FIXEDFILEINFO* pFixed = NULL;
        UINT nLen = 0;
        if (VerQueryValueA(pBlock, "\\", reinterpret_cast<LPVOID*>(&pFixed), &nLen) &&
            pFixed != NULL && nLen >= sizeof(VS_FIXEDFILEINFO))
            strVersion.Format("%d.%d.%d.%d\n", HIWORD(pFixed->dwFileVersionMS),
                              LOWORD(pFixed->dwFileVersionMS), HIWORD(pFixed->dwFileVersionLS),
                              LOWORD(pFixed->dwFileVersionLS));
        if (pstrLegal != NULL)
        {
            char* pszLegal = NULL;
            if (VerQueryValueA(pBlock, "\\StringFileInfo\\040904B0\\LegalCopyright",
                               reinterpret_cast<LPVOID*>(&pszLegal), &nLen) &&
                pszLegal != NULL)
                pstrLegal->Format("%s", BoundedText(pszLegal, nLen).GetString());
        }
        CFileStatus status;
        if (CFile::GetStatus(pszFile, status))
            strDate = status.m_mtime.Format("%m-%d-%Y");
    }
    delete[] pBlock;
    return bRead;
}

CString CAboutPage::DriverFilePath()
{
    if (g_nChipType < 0 || g_nChipType >= CHIP_FAMILY_COUNT)
        return CString();
    const ChipFamilyEntry& row = g_ChipFamilyTable[g_nChipType];
    LPCSTR pszFormat = "\\drivers\\%s";
    int nColumn = 0; // 1 to 5, as the table's columns count
    switch (OsVersionCode)
    {
    case 11:
        nColumn = g_bWow64 ? 5 : 4;
        break;
    case 10:
    case 8:
        nColumn = 3;
        break;
    case 7:
        nColumn = 2;
        break;
    case 3:
    case 4:
    case 5:
    case 6:
    case 9:
    case 12:
    case 13:
        pszFormat = "\\%s";
        nColumn = 1;
        break;
    default:
        // Windows 95 has no driver file this page knows: its rows stay empty.
        return CString();
    }
    LPCSTR pszName = row.pszDriverFile[nColumn - 1];
    if (pszName == NULL || pszName[0] == '\0')
        return CString();
    char szSystem[MAX_PATH];
    memset(szSystem, 0, sizeof(szSystem));
    UINT nLen = GetSystemDirectoryA(szSystem, sizeof(szSystem));
    if (nLen == 0 || nLen >= sizeof(szSystem))
        return CString();
    CString strPath(szSystem);
    strPath.AppendFormat(pszFormat, pszName);
    return strPath;
}

void CAboutPage::ReadDriverVersion()
{
    CString strPath = DriverFilePath();
    if (strPath.IsEmpty())
        return;

    // A 32-bit program on a 64-bit system sees the 32-bit system folder unless the thread's
    // redirection is off; the driver lives in the native one. Off only for this read, then
    // back to what it was, so that the thread's later system-folder accesses are unchanged.
    PFN_Wow64DisableWow64FsRedirection pfnDisable = NULL;
    PFN_Wow64RevertWow64FsRedirection pfnRevert = NULL;
    if (g_bWow64 && (OsVersionCode == 10 || OsVersionCode == 11))
    {
        HMODULE hKernel = GetModuleHandleA("kernel32.dll");
        pfnDisable = reinterpret_cast<PFN_Wow64DisableWow64FsRedirection>(
            GetProcAddress(hKernel, "Wow64DisableWow64FsRedirection"));
        pfnRevert = reinterpret_cast<PFN_Wow64RevertWow64FsRedirection>(
            GetProcAddress(hKernel, "Wow64RevertWow64FsRedirection"));
    }
    void* pOldState = NULL;
    BOOL bDisabled = FALSE;
    if (pfnDisable != NULL && pfnRevert != NULL)
        bDisabled = pfnDisable(&pOldState);

    ReadFileVersion(strPath, m_strDriverVersion, m_strDriverDate, NULL);

    if (bDisabled)
        pfnRevert(pOldState);
}

BOOL CAboutPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();

    char szModule[MAX_PATH];
    memset(szModule, 0, sizeof(szModule));
    GetModuleFileNameA(0, szModule, sizeof(szModule));
    ReadFileVersion(szModule, m_strUtilityVersion, m_strUtilityDate, &m_strLegalCopyright);

    ReadDriverVersion();

    BYTE abAnswer[4];
    memset(abAnswer, 0, sizeof(abAnswer));
    DWORD dwBytes = 0;
    if (OidQueryInformation(OID_EEPROM_VERSION, abAnswer, sizeof(abAnswer), &dwBytes))
    {
        m_strEepromVersion.Format("%d.%d\n", abAnswer[0], abAnswer[1]);
    }
    else
    {
        GetDlgItem(IDC_ABOUT_EEPROM_VERSION)->ShowWindow(SW_HIDE);
        GetDlgItem(IDC_ABOUT_EEPROM_LABEL)->ShowWindow(SW_HIDE);
    }

    memset(m_abCardMac, 0, sizeof(m_abCardMac));
    if (g_pHideDlg != NULL && g_pHideDlg->m_WifiClient.GetOidAccessor() != NULL)
        g_pHideDlg->m_WifiClient.GetOidAccessor()->QueryCurrentAddress(m_abCardMac);
    m_strMacAddress.Format("%02X-%02X-%02X-%02X-%02X-%02X", m_abCardMac[0], m_abCardMac[1],
                           m_abCardMac[2], m_abCardMac[3], m_abCardMac[4], m_abCardMac[5]);

    m_strUtilityVersionLabel.LoadString(IDS_ABOUT_UTILITY_VERSION);
    m_strUtilityDateLabel.LoadString(IDS_ABOUT_DATE);
    m_strDriverVersionLabel.LoadString(IDS_ABOUT_DRIVER_VERSION);
    m_strDriverDateLabel.LoadString(IDS_ABOUT_DATE);
    m_strEepromLabel.LoadString(IDS_ABOUT_EEPROM);
    m_strMacLabel.LoadString(IDS_ABOUT_MAC);
    m_strIpLabel.LoadString(IDS_ABOUT_IP);
    m_strMaskLabel.LoadString(IDS_ABOUT_MASK);
    m_strGatewayLabel.LoadString(IDS_ABOUT_GATEWAY);

    // Only the 802.11n chips report a firmware version; the row stays hidden otherwise.
    if (g_nChipType >= 4 && g_nChipType <= 8)
    {
        memset(abAnswer, 0, sizeof(abAnswer));
        dwBytes = 0;
        BOOL bShow =
            OidQueryInformation(OID_FIRMWARE_VERSION, abAnswer, sizeof(abAnswer), &dwBytes);
        if (bShow)
        {
            m_strFirmwareLabel.LoadString(IDS_ABOUT_FIRMWARE);
            m_strFirmwareVersion.Format("%d.%d\n", abAnswer[1], abAnswer[0]);
        }
        GetDlgItem(IDC_ABOUT_FIRMWARE_LABEL)->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
        GetDlgItem(IDC_ABOUT_FIRMWARE_VERSION)->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    }

    UpdateData(FALSE);
    return TRUE;
}

void CAboutPage::RefreshAddressInfo()
{
    m_strIpAddress.Empty();
    m_strSubnetMask.Empty();
    m_strGateway.Empty();

    ULONG ulSize = 0;
    if (GetAdaptersInfo(NULL, &ulSize) != ERROR_BUFFER_OVERFLOW || ulSize == 0)
        return;
    BYTE* pBuffer = new BYTE[ulSize];
    memset(pBuffer, 0, ulSize);
    PIP_ADAPTER_INFO pList = reinterpret_cast<PIP_ADAPTER_INFO>(pBuffer);
    if (GetAdaptersInfo(pList, &ulSize) == ERROR_SUCCESS)
    {
        // Every match counts: the last one in the list wins.
        for (PIP_ADAPTER_INFO pAdapter = pList; pAdapter != NULL; pAdapter = pAdapter->Next)
        {
            if (pAdapter->AddressLength != 6 ||
                memcmp(pAdapter->Address, m_abCardMac, sizeof(m_abCardMac)) != 0)
                continue;
            m_strIpAddress = BoundedText(pAdapter->IpAddressList.IpAddress.String,
                                         sizeof(pAdapter->IpAddressList.IpAddress.String));
            m_strSubnetMask = BoundedText(pAdapter->IpAddressList.IpMask.String,
                                          sizeof(pAdapter->IpAddressList.IpMask.String));
            m_strGateway = BoundedText(pAdapter->GatewayList.IpAddress.String,
                                       sizeof(pAdapter->GatewayList.IpAddress.String));
        }
    }
    delete[] pBuffer;
}

BOOL CAboutPage::OnSetActive()
{
    RefreshAddressInfo();
    UpdateData(FALSE);
    m_nTimerId = SetTimer(ABOUT_TIMER_ID, ABOUT_PERIOD, NULL);
    return CPropertyPage::OnSetActive();
}

BOOL CAboutPage::OnKillActive()
{
    KillTimer(m_nTimerId);
    return CPropertyPage::OnKillActive();
}

void CAboutPage::OnDestroy()
{
    CPropertyPage::OnDestroy();
    KillTimer(m_nTimerId);
}

void CAboutPage::OnTimer(UINT_PTR nIDEvent)
{
    RefreshAddressInfo();
    UpdateData(FALSE);
}

void CAboutPage::OnWebLink()
{
    // The browser may take its time to start: the page does not wait for it.
    g_pWebLinkThread = AfxBeginThread(OpenWebSiteThread, NULL);
}

UINT CAboutPage::OpenWebSiteThread(LPVOID pParam)
{
    ShellExecuteA(0, "open", WEB_SITE_ADDRESS, NULL, NULL, SW_SHOWNORMAL);
    return 1;
}

#include "accesspoint/pages/AboutPage.h"

#include "accesspoint/app/ApGlobals.h"
#include "adapter/about/AdapterAddresses.h"
#include "adapter/about/FileVersionText.h"
#include "adapter/discovery/AdapterDiscovery.h"
#include "adapter/discovery/AdapterState.h"
#include "adapter/driver/DriverRequest.h"
#include "adapter/system/OsVersion.h"
#include "resources/TessarynAp/resource.h"

#include <cstring>

#define OID_AP_EEPROM_VERSION 0x0D710119
#define OID_AP_FIRMWARE_VERSION 0x0D710129
#define OID_AP_CURRENT_MAC 0x01010102

#define ABOUT_TIMER_ID 0
#define ABOUT_PERIOD 5000

namespace
{

const AboutLayout kLayout = {
    {IDC_ABOUT_UTILITY_VERSION, IDC_ABOUT_UTILITY_DATE, IDC_ABOUT_DRIVER_VERSION,
     IDC_ABOUT_DRIVER_DATE, IDC_ABOUT_EEPROM_VERSION, IDC_ABOUT_FIRMWARE_VERSION, IDC_ABOUT_MAC,
     IDC_ABOUT_IP, IDC_ABOUT_MASK, IDC_ABOUT_GATEWAY},
    {IDC_ABOUT_UTILITY_VERSION_LABEL, IDC_ABOUT_UTILITY_DATE_LABEL, IDC_ABOUT_DRIVER_VERSION_LABEL,
     IDC_ABOUT_DRIVER_DATE_LABEL, IDC_ABOUT_EEPROM_LABEL, IDC_ABOUT_FIRMWARE_LABEL,
     IDC_ABOUT_MAC_LABEL, IDC_ABOUT_IP_LABEL, IDC_ABOUT_MASK_LABEL, IDC_ABOUT_GATEWAY_LABEL},
    {IDS_ABOUT_UTILITY_VERSION, IDS_ABOUT_DATE, IDS_ABOUT_DRIVER_VERSION, IDS_ABOUT_DATE,
     IDS_ABOUT_EEPROM, IDS_ABOUT_FIRMWARE, IDS_ABOUT_MAC, IDS_ABOUT_IP, IDS_ABOUT_MASK,
     IDS_ABOUT_GATEWAY},
    IDC_ABOUT_LEGAL,
};

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
    m_Fields.Exchange(pDX, kLayout);
}

CString CAboutPage::DriverFilePath()
{
    if (g_nChipType < 0 || g_nChipType >= CHIP_FAMILY_COUNT)
        return CString();
    // The access point's family table is the first three driver columns of the shared one.
    const ChipFamilyEntry& row = g_ChipFamilyTable[g_nChipType];
    LPCSTR pszFormat = "\\drivers\\%s";
    LPCSTR pszName = NULL;
    if (OsVersionCode >= 8)
        pszName = row.pszDriverFile[2];
    else if (OsVersionCode == 7)
        pszName = row.pszDriverFile[1];
    else if (OsVersionCode >= 3)
    {
        pszFormat = "\\%s";
        pszName = row.pszDriverFile[0];
    }
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
    // The driver lives in the native system folder, which a 32-bit program on a 64-bit system
    // sees only with the thread's redirection off.
    ReadDriverFileVersionText(strPath, m_Fields.m_strValue[ABOUT_DRIVER_VERSION],
                              m_Fields.m_strValue[ABOUT_DRIVER_DATE],
                              g_bWow64 && OsVersionCode >= 10);
}

BOOL CAboutPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();

    char szModule[MAX_PATH];
    memset(szModule, 0, sizeof(szModule));
    GetModuleFileNameA(0, szModule, sizeof(szModule));
    ReadFileVersionText(szModule, m_Fields.m_strValue[ABOUT_UTILITY_VERSION],
                        m_Fields.m_strValue[ABOUT_UTILITY_DATE], &m_Fields.m_strLegal);

    ReadDriverVersion();

    BYTE abAnswer[4];
    memset(abAnswer, 0, sizeof(abAnswer));
    DWORD dwBytes = 0;
    BOOL bAnswered =
        OidQueryInformation(OID_AP_EEPROM_VERSION, abAnswer, sizeof(abAnswer), &dwBytes);
    m_Fields.ShowEeprom(*this, kLayout, bAnswered, abAnswer);

    // Only the 802.11n chips report a firmware version; the row stays hidden otherwise.
    if (g_nChipType >= 4 && g_nChipType <= 8)
    {
        memset(abAnswer, 0, sizeof(abAnswer));
        bAnswered =
            OidQueryInformation(OID_AP_FIRMWARE_VERSION, abAnswer, sizeof(abAnswer), &dwBytes);
        m_Fields.ShowFirmware(*this, kLayout, bAnswered, abAnswer);
    }

    memset(m_abCardMac, 0, sizeof(m_abCardMac));
    if (!OidQueryInformation(OID_AP_CURRENT_MAC, m_abCardMac, sizeof(m_abCardMac), &dwBytes))
        memset(m_abCardMac, 0, sizeof(m_abCardMac));
    m_Fields.ShowMac(m_abCardMac);
    m_Fields.LoadLabels(kLayout);

    UpdateData(FALSE);
    return TRUE;
}

void CAboutPage::RefreshAddressInfo()
{
    LookupAdapterAddresses(m_abCardMac, m_Fields.Ip(), m_Fields.Mask(), m_Fields.Gateway(), TRUE);
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
    ShellExecuteA(0, "open", AP_WEB_SITE_ADDRESS, NULL, NULL, SW_SHOWNORMAL);
}

#include "client/status/SiteSurvPage.h"

#include "adapter/crypto/HexToBytes.h"
#include "adapter/driver/LockedBlock.h"
#include "adapter/driver/NdisTypes.h"
#include "adapter/radio/ChannelFrequencyTable.h"
#include "client/access/PrivateMessages.h"
#include "client/access/ScanList.h"
#include "client/access/SecurityIes.h"
#include "client/access/StationProfile.h"
#include "client/monitor/ActionQueue.h"
#include "client/monitor/ClientGlobals.h"
#include "client/monitor/HideDlg.h"
#include "client/profiles/AuthSecuPage.h"
#include "client/profiles/CertSelections.h"
#include "client/profiles/ProfilePage.h"
#include "client/profiles/SysConfigPage.h"
#include "client/sheet/VnPropSheet.h"
#include "client/status/HiddenSsidDlg.h"
#include "resources/TessarynUI/TessarynUIStrings.h"
#include "resources/TessarynUI/resource.h"

#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <utility>

namespace
{

#define COLUMN_SSID 0
#define COLUMN_BSSID 1
#define COLUMN_PHY 2
#define COLUMN_SIGNAL 3
#define COLUMN_CHANNEL 4
#define COLUMN_ENCRYPTION 5
#define COLUMN_AUTHENTICATION 6
#define COLUMN_NETWORK_TYPE 7
#define COLUMN_COUNT 8

#define IMAGE_CONNECTED 0
#define IMAGE_NETWORK_TYPE 1

// Each column takes this many tenths of a tenth of the list's width (20: two tenths).
const int kColumnFactor[COLUMN_COUNT] = {20, 22, 7, 8, 7, 13, 13, 16};
const UINT kColumnTitle[COLUMN_COUNT] = {IDS_SITE_COL_SSID,           IDS_SITE_COL_BSSID,
                                         IDS_SITE_COL_PHY_TYPE,       IDS_SITE_COL_SIGNAL,
                                         IDS_SITE_COL_CHANNEL,        IDS_SITE_COL_ENCRYPTION,
                                         IDS_SITE_COL_AUTHENTICATION, IDS_SITE_COL_NETWORK_TYPE};

// An SSID as text: at most 32 bytes whatever its length field says.
CString SsidText(ULONG nLength, const UCHAR* pSsid)
{
    char szSsid[33] = {0};
    if (nLength > 32)
        nLength = 32;
    memcpy(szSsid, pSsid, nLength);
    return CString(szSsid);
}

// The Network Type column: ad hoc, infrastructure or automatic; empty for another mode.
CString NetworkTypeText(ULONG nInfrastructureMode)
{
    switch (nInfrastructureMode)
    {
    case 0:
        return LoadText(IDS_NET_ADHOC);
    case 1:
        return LoadText(IDS_NET_INFRASTRUCTURE);
    case 2:
        return LoadText(IDS_NET_AUTO);
    default:
        return CString();
    }
}

// The names whose flag is set, in order, joined by ";".
CString NamesOfFound(std::initializer_list<std::pair<int, const char*>> names)
{
    CString strNames;
    for (const auto& [bFound, pszName] : names)
    {
        if (bFound)
            strNames += CString(pszName) + ";";
    }
    return strNames.IsEmpty() ? strNames : strNames.Left(strNames.GetLength() - 1);
}

CString MacText(const UCHAR* pMac)
{
    CString strMac;
    strMac.Format("%02X-%02X-%02X-%02X-%02X-%02X", pMac[0], pMac[1], pMac[2], pMac[3], pMac[4],
                  pMac[5]);
    return strMac;
}

} // namespace

IMPLEMENT_DYNCREATE(CSiteSurvPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CSiteSurvPage, CPropertyPage)
ON_BN_CLICKED(IDC_SITE_RESCAN, OnRescan)
ON_BN_CLICKED(IDC_SITE_CONNECT, OnConnect)
ON_BN_CLICKED(IDC_SITE_ADD_PROFILE, OnAddProfile)
ON_NOTIFY(NM_DBLCLK, IDC_SITE_LIST, OnListDblClk)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_SITE_LIST, OnItemChanged)
ON_NOTIFY(LVN_ITEMCHANGING, IDC_SITE_LIST, OnItemChanging)
ON_WM_TIMER()
ON_MESSAGE(WM_SCAN_COMPLETE, OnScanComplete)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CSiteSurvPage::CSiteSurvPage()
    : CPropertyPage(CSiteSurvPage::IDD, IDS_PAGE_SITE_SURVEY), m_bListRefreshPending(0),
      m_pBssidList(NULL), m_nTimerId(0)
{
}

CSiteSurvPage::~CSiteSurvPage()
{
    if (m_pBssidList != NULL)
    {
        FreeLockedBlock(m_pBssidList);
        m_pBssidList = NULL;
    }
}

void CSiteSurvPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SITE_LIST, m_listSites);
}

BOOL CSiteSurvPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    InitImageList();
    InitListColumns();

    // The list copy exists before the first rescan can fill it.
    if (m_pBssidList == NULL)
        m_pBssidList = static_cast<BYTE*>(AllocLockedBlock(BSSID_LIST_BYTES));

    BOOL bSoftware = FALSE;
    BOOL bHardware = FALSE;
    if (g_pHideDlg != NULL &&
        g_pHideDlg->m_WifiClient.GetRadioState(&bSoftware, &bHardware) == ERROR_SUCCESS)
        g_bRadioOn = bSoftware;

    if (g_bRadioOn == 1)
        OnRescan();
    else
        SetStatusText(LoadText(IDS_RF_OFF));

    UpdateButtons();
    m_nTimerId = SetTimer(SITE_SURVEY_TIMER, SITE_SURVEY_PERIOD, NULL);

    SetDlgItemText(IDC_SITE_RESCAN, LoadText(IDS_SITE_RESCAN));
    SetDlgItemText(IDC_SITE_CONNECT, LoadText(IDS_SITE_CONNECT));
    SetDlgItemText(IDC_SITE_ADD_PROFILE, LoadText(IDS_SITE_ADD_PROFILE));
    return TRUE;
}

void CSiteSurvPage::InitImageList()
{
    m_listSites.CreateImageList();
}

void CSiteSurvPage::InitListColumns()
{
    m_listSites.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    CRect rcList;
    m_listSites.GetWindowRect(&rcList);
    int nTenth = rcList.Width() / 10;
    for (int i = 0; i < COLUMN_COUNT; i++)
        m_listSites.InsertColumn(i, LoadText(kColumnTitle[i]), LVCFMT_LEFT,
                                 nTenth * kColumnFactor[i] / 10);
}

void CSiteSurvPage::SetStatusText(LPCSTR pszText)
{
    SetDlgItemText(IDC_SITE_STATUS, pszText);
}

int CSiteSurvPage::FocusedRow() const
{
    if (m_listSites.m_hWnd == 0)
        return -1;
    return m_listSites.GetNextItem(-1, LVNI_FOCUSED);
}

const void* CSiteSurvPage::EntryOfRow(int nRow) const
{
    if (nRow < 0)
        return NULL;
    int i = 0;
    return WalkBssidList(m_pBssidList, [&](const BYTE*) { return i++ == nRow; });
}

void CSiteSurvPage::OnRescan()
{
    UpdateData(TRUE);
    GetDlgItem(IDC_SITE_RESCAN)->EnableWindow(FALSE);
    GetDlgItem(IDC_SITE_CONNECT)->EnableWindow(FALSE);
    GetDlgItem(IDC_SITE_ADD_PROFILE)->EnableWindow(FALSE);
    SetStatusText(LoadText(IDS_SITE_RESCANNING));
    m_bListRefreshPending = 1;
    // A scan that fails at once leaves nothing pending: the next tick then refills the list
    // and gives the buttons back.
    RequestScan();
}

LRESULT CSiteSurvPage::OnScanComplete(WPARAM, LPARAM)
{
    if (g_pHideDlg != NULL)
        g_pHideDlg->RefreshBssidList();
    FillBssList();
    return 0;
}

void CSiteSurvPage::OnTimer(UINT_PTR nIDEvent)
{
    KillTimer(m_nTimerId);
    UpdateStatus();
    UpdateButtons();
    m_nTimerId = SetTimer(SITE_SURVEY_TIMER, SITE_SURVEY_PERIOD, NULL);
}

void CSiteSurvPage::OnDestroy()
{
    CPropertyPage::OnDestroy();
    KillTimer(m_nTimerId);
}

void CSiteSurvPage::FillBssList()
{
    if (m_pBssidList == NULL || m_listSites.m_hWnd == 0)
        return;
    m_listSites.DeleteAllItems();
    if (g_pBssidListCopy != NULL)
        memcpy(m_pBssidList, g_pBssidListCopy, BSSID_LIST_BYTES);
    else
        memset(m_pBssidList, 0, BSSID_LIST_BYTES);

    int nRow = 0;
    WalkBssidList(m_pBssidList,
                  [&](const BYTE* pEntry)
                  {
                      InsertEntryRow(nRow++, pEntry);
                      return FALSE;
                  });
    ClearConnectedMarks();
}

void CSiteSurvPage::InsertEntryRow(int nRow, const BYTE* pEntry)
{
    NDIS_WLAN_BSSID_EX header;
    memcpy(&header, pEntry, NDIS_WLAN_BSSID_EX_FIXED);
    SetRowTexts(nRow, header);
    m_listSites.SetItem(nRow, COLUMN_NETWORK_TYPE, LVIF_IMAGE, NULL, IMAGE_NETWORK_TYPE, 0, 0, 0);

    BssSecurity security;
    ParseSecurityIes(reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(pEntry), &security);
    SetSecurityTexts(nRow, security);
    PhyTypeText(nRow, COLUMN_PHY, security.bHt);
}

void CSiteSurvPage::SetRowTexts(int nRow, const NDIS_WLAN_BSSID_EX& header)
{
    m_listSites.InsertItem(nRow, SsidText(header.Ssid.SsidLength, header.Ssid.Ssid));
    m_listSites.SetItemText(nRow, COLUMN_BSSID, MacText(header.MacAddress));
    CString strText;
    strText.Format("%d%%", RssiToPercent(header.Rssi));
    m_listSites.SetItemText(nRow, COLUMN_SIGNAL, strText);
    INT nChannel = FrequencyToChannel(static_cast<INT>(header.Configuration.DSConfig));
    strText.Empty();
    if (nChannel != 0)
        strText.Format("%u", static_cast<UINT>(nChannel));
    m_listSites.SetItemText(nRow, COLUMN_CHANNEL, strText);

    m_listSites.SetItemText(nRow, COLUMN_ENCRYPTION,
                            LoadText(header.Privacy != 0 ? IDS_ENC_WEP : IDS_ENC_NONE));
    m_listSites.SetItemText(nRow, COLUMN_AUTHENTICATION, LoadText(IDS_SITE_UNKNOWN));
    m_listSites.SetItemText(nRow, COLUMN_NETWORK_TYPE, NetworkTypeText(header.InfrastructureMode));
}

void CSiteSurvPage::SetSecurityTexts(int nRow, const BssSecurity& security)
{
    CString strAuth = NamesOfFound({{security.bWpa, "WPA"},
                                    {security.bWpaPsk, "WPA-PSK"},
                                    {security.bWpaNone, "WPA-NONE"},
                                    {security.bWpa2, "WPA2"},
                                    {security.bWpa2Psk, "WPA2-PSK"},
                                    {security.bWpa2None, "WPA2-NONE"}});
    if (!strAuth.IsEmpty())
        m_listSites.SetItemText(nRow, COLUMN_AUTHENTICATION, strAuth);
    CString strCipher = NamesOfFound({{security.bTkip, "TKIP"}, {security.bCcmp, "AES"}});
    if (!strCipher.IsEmpty())
        m_listSites.SetItemText(nRow, COLUMN_ENCRYPTION, strCipher);
}

void CSiteSurvPage::ClearConnectedMarks()
{
    for (int i = 0; i < m_listSites.GetItemCount(); i++)
        m_listSites.SetItem(i, COLUMN_SSID, LVIF_IMAGE, NULL, -1, 0, 0, 0);
}

CString CSiteSurvPage::PhyTypeText(int nRow, int nColumn, int bHt)
{
    CString strPhy;
    if (bHt == 1)
        strPhy = "N";
    else
    {
        DWORD dwPhy = 0;
        if (nRow >= 0 && static_cast<ULONG>(nRow) < BSSID_LIST_MAX_ENTRIES)
            dwPhy = g_anPhyType[nRow];
        switch (dwPhy)
        {
        case 4:
            strPhy = "A";
            break;
        case 5:
            strPhy = "B";
            break;
        case 6:
            strPhy = "G";
            break;
        default:
            strPhy = LoadText(IDS_SITE_UNKNOWN);
            break;
        }
    }
    if (m_listSites.m_hWnd != 0 && nRow >= 0 && nRow < m_listSites.GetItemCount())
        m_listSites.SetItemText(nRow, nColumn, strPhy);
    return strPhy;
}

void CSiteSurvPage::UpdateStatus()
{
    if (m_bListRefreshPending)
    {
        if (g_bScanPending)
            return;
        FillBssList();
        m_bListRefreshPending = 0;
    }

    BOOL bConnected = FALSE;
    if (g_pHideDlg != NULL)
    {
        if (g_pHideDlg->m_WifiClient.IsInterfaceConnected(&bConnected) != ERROR_SUCCESS)
            bConnected = FALSE;
        BOOL bSoftware = FALSE;
        BOOL bHardware = FALSE;
        if (g_pHideDlg->m_WifiClient.GetRadioState(&bSoftware, &bHardware) == ERROR_SUCCESS)
            g_bRadioOn = bSoftware;
    }

    CString strStatus;
    int nConnectedRow = -1;
    if (bConnected && g_bRadioOn && !IsZeroMac(g_CurrentBssid))
    {
        CString strSsid = SsidText(g_CurrentSsid.SsidLength, g_CurrentSsid.Ssid);
        if (g_bWepError)
            strStatus.Format("%s <--> %s -- %s", (LPCSTR)LoadText(IDS_SITE_CONNECTED),
                             (LPCSTR)strSsid, (LPCSTR)LoadText(IDS_ICV_ERROR));
        else
            strStatus.Format("%s <--> %s", (LPCSTR)LoadText(IDS_SITE_CONNECTED), (LPCSTR)strSsid);

        for (int i = 0; i < m_listSites.GetItemCount(); i++)
        {
            CString strBssid = m_listSites.GetItemText(i, COLUMN_BSSID);
            strBssid.Remove('-');
            if (strBssid.GetLength() != 12)
                continue;
            BYTE abMac[6] = {0};
            HexToBytes(strBssid, abMac, 6);
            if (memcmp(abMac, g_CurrentBssid, 6) == 0)
            {
                nConnectedRow = i;
                break;
            }
        }
    }
    else
    {
        strStatus = LoadText(g_bRadioOn ? IDS_DISCONNECTED : IDS_RF_OFF);
        bConnected = FALSE;
    }

    SetStatusText(strStatus);
    MarkConnectedRow(nConnectedRow, !bConnected);
}

void CSiteSurvPage::MarkConnectedRow(int nRow, BOOL bNotConnected)
{
    int nCount = m_listSites.GetItemCount();
    ClearConnectedMarks();
    if (!bNotConnected && nRow >= 0 && nRow < nCount)
        m_listSites.SetItem(nRow, COLUMN_SSID, LVIF_IMAGE, NULL, IMAGE_CONNECTED, 0, 0, 0);
    if (nCount > 0)
        m_listSites.RedrawItems(0, nCount - 1);
}

void CSiteSurvPage::UpdateButtons()
{
    GetDlgItem(IDC_SITE_RESCAN)->EnableWindow(g_bRadioOn && !m_bListRefreshPending);
    BOOL bTake = g_nConfigOwner == 2 && !m_bListRefreshPending && g_bRadioOn &&
                 m_listSites.GetItemCount() > 0 &&
                 (g_bAllowSecuredConnect || AuthModeFromText() == 0);
    GetDlgItem(IDC_SITE_CONNECT)->EnableWindow(bTake);
    GetDlgItem(IDC_SITE_ADD_PROFILE)->EnableWindow(bTake);
}

int CSiteSurvPage::AuthModeFromText()
{
    int nRow = FocusedRow();
    if (nRow < 0)
        return 0;
    CString strAuth = m_listSites.GetItemText(nRow, COLUMN_AUTHENTICATION);
    static const struct
    {
        const char* pszName;
        int nCode;
    } kModes[] = {{"WPA2-PSK", 5}, {"WPA2", 4}, {"WPA-PSK", 2}, {"WPA-NONE", 3}, {"WPA", 1}};
    for (const auto& mode : kModes)
    {
        if (strAuth.Find(mode.pszName) >= 0)
            return mode.nCode;
    }
    return 0;
}

void CSiteSurvPage::OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnConnect();
    *pResult = 0;
}

void CSiteSurvPage::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    UpdateButtons();
    *pResult = 0;
}

void CSiteSurvPage::OnItemChanging(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
}

StationProfile* CSiteSurvPage::BuildConnectProfile()
{
    const BYTE* pEntry = static_cast<const BYTE*>(EntryOfRow(FocusedRow()));
    if (pEntry == NULL)
        return NULL;
    NDIS_WLAN_BSSID_EX header;
    memcpy(&header, pEntry, NDIS_WLAN_BSSID_EX_FIXED);

    StationProfile* pProfile =
        static_cast<StationProfile*>(AllocLockedBlock(sizeof(StationProfile)));
    if (pProfile == NULL)
        return NULL;
    pProfile->RtsThreshold = 2347;
    pProfile->Preamble = 2;
    pProfile->NetworkType = header.InfrastructureMode;
    pProfile->SsidLength = header.Ssid.SsidLength > 32 ? 32 : header.Ssid.SsidLength;
    memcpy(pProfile->Ssid, header.Ssid.Ssid, pProfile->SsidLength);
    if (header.InfrastructureMode == 1)
    {
        memcpy(pProfile->Bssid, header.MacAddress, 6);
        pProfile->BssidGiven = 1;
    }
    pProfile->AdhocChannelFrequency = header.Configuration.DSConfig;
    pProfile->Reserved1 = 1;
    pProfile->AuthenticationMode = 0;
    // Open and unencrypted: a zero would say WEP.
    pProfile->EncryptionStatus = 1;
    return pProfile;
}

void CSiteSurvPage::OnConnect()
{
    // Reached again inside the profile editor's loop, it would join and open a second editor.
    if (g_nConfigOwner != 2 || ProfileEditorOpen())
        return;
    if (FocusedRow() < 0)
    {
        AfxMessageBox(IDS_NO_SELECTED_ITEM, MB_OK);
        return;
    }
    if (EntryOfRow(0) == NULL)
        return;
    UpdateButtons();
    if (!GetDlgItem(IDC_SITE_CONNECT)->IsWindowEnabled())
        return;
    int nAuth = AuthModeFromText();
    if (!g_bAllowSecuredConnect && nAuth >= 1 && nAuth <= 5)
        return;
    SetStatusText(LoadText(IDS_SITE_CONNECTING));

    // Only an open network can be joined without a key; any other is joined through the
    // profile Add Profile makes.
    const BYTE* pEntry = static_cast<const BYTE*>(EntryOfRow(FocusedRow()));
    ULONG nPrivacy = 1;
    if (pEntry != NULL)
        memcpy(&nPrivacy, pEntry + offsetof(NDIS_WLAN_BSSID_EX, Privacy), sizeof(nPrivacy));
    StationProfile* pProfile = BuildConnectProfile();
    if (pProfile != NULL)
    {
        if (nPrivacy == 0 && nAuth == 0 && g_pHideDlg != NULL)
            g_pHideDlg->m_WifiClient.ConnectFromSurvey(pProfile);
        FreeLockedBlock(pProfile);
    }

    if (GetDlgItem(IDC_SITE_ADD_PROFILE)->IsWindowEnabled())
        OnAddProfile();
}

BOOL CSiteSurvPage::GetProfileValues(SITE_PROFILE_VALUES& values)
{
    int nRow = FocusedRow();
    const BYTE* pEntry = static_cast<const BYTE*>(EntryOfRow(nRow));
    if (pEntry == NULL)
        return FALSE;
    NDIS_WLAN_BSSID_EX header;
    memcpy(&header, pEntry, NDIS_WLAN_BSSID_EX_FIXED);

    values.strSsid = SsidText(header.Ssid.SsidLength, header.Ssid.Ssid);
    values.nNetworkType = static_cast<int>(header.InfrastructureMode);
    values.nChannel = FrequencyToChannel(static_cast<INT>(header.Configuration.DSConfig));
    if (values.nChannel == 0)
        values.nChannel = ChannelFrequencyTable.Rows[0].nChannel;
    values.nEncryption = header.Privacy != 0 ? 0 : 1;
    values.nAuthentication = 0;

    int nCode = AuthModeFromText();
    if (nCode >= 1 && nCode <= 5)
    {
        BOOL bAes = m_listSites.GetItemText(nRow, COLUMN_ENCRYPTION).Find("AES") >= 0;
        values.nEncryption = bAes ? 6 : 4;
        switch (nCode)
        {
        case 1:
            values.nAuthentication = 3;
            break;
        case 2:
            values.nAuthentication = 4;
            break;
        case 3:
            values.nAuthentication = 5;
            break;
        case 4:
            values.nAuthentication = OsHasWpa2() ? 6 : 3;
            break;
        case 5:
            values.nAuthentication = OsHasWpa2() ? 7 : 4;
            break;
        }
    }
    return TRUE;
}

void CSiteSurvPage::OnAddProfile()
{
    // The open editor's certificate choices are its own.
    if (ProfileEditorOpen())
        return;
    ClearCertSelections();
    if (g_nConfigOwner != 2)
        return;
    if (FocusedRow() < 0)
    {
        AfxMessageBox(IDS_NO_SELECTED_ITEM, MB_OK);
        return;
    }
    SITE_PROFILE_VALUES values;
    if (!GetProfileValues(values))
        return;

    CPropertySheet* pSheet = GetSheet();
    if (pSheet == NULL || !pSheet->IsKindOf(RUNTIME_CLASS(CVnPropSheet)))
        return;
    CVnPropSheet* pMainSheet = static_cast<CVnPropSheet*>(pSheet);
    if (pMainSheet->m_ProfilePage.m_hWnd == 0)
        return;
    if (pMainSheet->m_ProfilePage.AddProfile(values.strSsid, values.nEncryption,
                                             values.nAuthentication, values.nNetworkType,
                                             values.nChannel) == 1)
        pMainSheet->SetActivePage(&pMainSheet->m_ProfilePage);
}

BOOL CALLBACK CloseHiddenSsidDlgProc(HWND hWnd, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CHiddenSsidDlg)))
        static_cast<CDialog*>(pWnd)->EndDialog(IDCANCEL);
    return TRUE;
}

BOOL CALLBACK CloseSysConfigPageProc(HWND hWnd, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CSysConfigPage)))
        static_cast<CDialog*>(pWnd)->EndDialog(IDCANCEL);
    return TRUE;
}

void CloseHiddenSsidDialogs()
{
    EnumWindows(CloseHiddenSsidDlgProc, 0);
}

void CloseSysConfigPages()
{
    EnumWindows(CloseSysConfigPageProc, 0);
}

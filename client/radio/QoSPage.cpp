#include "client/radio/QoSPage.h"

#include "adapter/crypto/HexToBytes.h"
#include "adapter/driver/DriverRequest.h"
#include "adapter/driver/MacText.h"
#include "client/access/OidAccessor.h"
#include "client/app/ProgramObjects.h"
#include "client/monitor/ClientGlobals.h"
#include "client/radio/PowerSaveDlg.h"
#include "client/radio/QosSettings.h"
#include "client/radio/RadioReconnect.h"
#include "resources/TessarynUI/TessarynUIStrings.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>

int g_nQosDlsSelected = -1;

namespace
{

#define OID_DLS_TABLE 0x0D710132 // four entries; a set carries one
#define DLS_ENTRIES 4
#define DLS_STATUS_LINKED 2 // only these are listed
#define QOS_TIMER_ID 1
#define QOS_PERIOD 1000

#pragma pack(push, 1)
struct DlsEntry
{
    WORD Timeout; // seconds
    WORD Reserved;
    BYTE PeerMac[6];
    BYTE Status;
    BYTE Valid; // 1 in use; a set with 0 removes the link
};
#pragma pack(pop)
static_assert(sizeof(DlsEntry) == 12);
static_assert(offsetof(DlsEntry, Status) == 10);

const int kMacIds[6] = {IDC_QOS_MAC1, IDC_QOS_MAC2, IDC_QOS_MAC3,
                        IDC_QOS_MAC4, IDC_QOS_MAC5, IDC_QOS_MAC6};

struct ControlText
{
    int nId;
    UINT nText;
};

const ControlText kTexts[] = {
    {IDC_QOS_WMM, IDS_QOS_WMM},
    {IDC_QOS_WMM_SETUP, IDS_APPLY},
    {IDC_QOS_APSD, IDS_QOS_APSD},
    {IDC_QOS_POWERSAVE, IDS_QOS_SETTING},
    {IDC_QOS_DLS, IDS_QOS_DLS},
    {IDC_QOS_DLS_SETUP, IDS_APPLY},
    {IDC_QOS_SEC, IDS_QOS_SEC},
    {IDC_QOS_LINK_SETUP, IDS_APPLY},
    {IDC_QOS_TEAR_DOWN, IDS_QOS_TEAR_DOWN},
    {IDC_QOS_DIRECT_LINK_GROUP, IDS_QOS_DIRECT_LINK},
    {IDC_QOS_DLS_SETUP_GROUP, IDS_QOS_DLS_SETUP},
    {IDC_QOS_DLS_STATUS_GROUP, IDS_QOS_DLS_STATUS},
    {IDC_QOS_MAC_LABEL, IDS_QOS_MAC_LABEL},
};

DWORD QueryApsdWord()
{
    DWORD dwApsd = 0;
    DWORD dwReturned = 0;
    OidQueryInformation(OID_APSD, &dwApsd, sizeof(dwApsd), &dwReturned);
    return dwApsd;
}

BOOL QueryDlsTable(DlsEntry* pEntries)
{
    memset(pEntries, 0, sizeof(DlsEntry) * DLS_ENTRIES);
    DWORD dwReturned = 0;
    return OidQueryInformation(OID_DLS_TABLE, pEntries, sizeof(DlsEntry) * DLS_ENTRIES,
                               &dwReturned);
}

} // namespace

BOOL MacByteFromText(LPCSTR pszText, BYTE* pByte)
{
    int nLength = pszText != NULL ? static_cast<int>(strlen(pszText)) : 0;
    if (nLength < 1 || nLength > 2)
        return FALSE;
    BYTE nValue = 0;
    for (int i = 0; i < nLength; i++)
    {
        BYTE nDigit = HexDigitValue(pszText[i]);
        if (nDigit > 15)
            return FALSE;
        nValue = static_cast<BYTE>(nValue * 16 + nDigit);
    }
    *pByte = nValue;
    return TRUE;
}

IMPLEMENT_DYNCREATE(CQoSPAGE, CPropertyPage)

BEGIN_MESSAGE_MAP(CQoSPAGE, CPropertyPage)
ON_BN_CLICKED(IDC_QOS_WMM_SETUP, OnWmmSetup)
ON_BN_CLICKED(IDC_QOS_APSD, OnApsdEnable)
ON_BN_CLICKED(IDC_QOS_POWERSAVE, OnPowerSaveSetting)
ON_BN_CLICKED(IDC_QOS_DLS_SETUP, OnDlsEnable)
ON_BN_CLICKED(IDC_QOS_LINK_SETUP, OnDlsSetup)
ON_BN_CLICKED(IDC_QOS_TEAR_DOWN, OnDlsTearDown)
ON_NOTIFY(NM_CLICK, IDC_QOS_DLS_LIST, OnDlsListClick)
ON_NOTIFY(NM_DBLCLK, IDC_QOS_DLS_LIST, OnDlsListDblClk)
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CQoSPAGE::CQoSPAGE()
    : CPropertyPage(CQoSPAGE::IDD, IDS_PAGE_QOS), m_strTimeout("60"), m_bWmm(0), m_bDls(0),
      m_bApsd(0), m_nTimerId(0)
{
    memset(m_abOwnMac, 0, sizeof(m_abOwnMac));
}

CQoSPAGE::~CQoSPAGE() {}

void CQoSPAGE::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_QOS_DLS_LIST, m_lcDls);
    for (int i = 0; i < 6; i++)
    {
        DDX_Control(pDX, kMacIds[i], m_edMac[i]);
        DDX_Text(pDX, kMacIds[i], m_strMac[i]);
        DDV_MaxChars(pDX, m_strMac[i], 2);
    }
    DDX_Text(pDX, IDC_QOS_TIMEOUT, m_strTimeout);
    DDV_MaxChars(pDX, m_strTimeout, 5);
    DDX_Check(pDX, IDC_QOS_WMM, m_bWmm);
    DDX_Check(pDX, IDC_QOS_DLS, m_bDls);
    DDX_Check(pDX, IDC_QOS_APSD, m_bApsd);
}

BOOL CQoSPAGE::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    for (const ControlText& text : kTexts)
        SetDlgItemText(text.nId, LoadText(text.nText));
    LoadQosSettings(&m_bApsd, &m_bDls, &m_bWmm);

    // The 802.11n modes take WMM: it is switched on, and applied, at once.
    if (!m_bWmm && G_enumWirelessMode >= 5 && G_enumWirelessMode <= 10)
    {
        m_bWmm = 1;
        UpdateData(FALSE);
        OnWmmSetup();
    }

    UpdateQosControls();
    UpdateData(FALSE);
    for (CSmartEdit& edit : m_edMac)
        edit.SetCharMask(SMARTEDIT_MASK_HEX);

    m_lcDls.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    CRect rcList;
    m_lcDls.GetWindowRect(&rcList);
    m_lcDls.InsertColumn(0, LoadText(IDS_QOS_COL_MAC), LVCFMT_CENTER, rcList.Width() * 3 / 4);
    m_lcDls.InsertColumn(1, LoadText(IDS_QOS_COL_TIMEOUT), LVCFMT_CENTER, rcList.Width() / 4);

    m_nTimerId = SetTimer(QOS_TIMER_ID, QOS_PERIOD, NULL);
    return TRUE;
}

BOOL CQoSPAGE::OnSetActive()
{
    LoadQosSettings(&m_bApsd, &m_bDls, &m_bWmm);
    UpdateQosControls();
    UpdateData(FALSE);
    return CPropertyPage::OnSetActive();
}

void CQoSPAGE::OnDestroy()
{
    KillTimer(m_nTimerId);
    CPropertyPage::OnDestroy();
}

void CQoSPAGE::EnableDlsDetail(BOOL bEnable)
{
    GetDlgItem(IDC_QOS_LINK_SETUP)->EnableWindow(bEnable);
    GetDlgItem(IDC_QOS_TIMEOUT)->EnableWindow(bEnable);
    GetDlgItem(IDC_QOS_TEAR_DOWN)->EnableWindow(bEnable);
    for (int nId : kMacIds)
        GetDlgItem(nId)->EnableWindow(bEnable);
}

void CQoSPAGE::UpdateQosControls()
{
    BOOL bWmm = m_bWmm != 0;
    GetDlgItem(IDC_QOS_APSD)->EnableWindow(bWmm);
    GetDlgItem(IDC_QOS_DLS)->EnableWindow(bWmm);
    GetDlgItem(IDC_QOS_DLS_SETUP)->EnableWindow(bWmm);
    GetDlgItem(IDC_QOS_POWERSAVE)->EnableWindow(bWmm && m_bApsd);
    EnableDlsDetail(bWmm && m_bDls);
}

void CQoSPAGE::OnTimer(UINT_PTR nIDEvent)
{
    CPropertySheet* pSheet = GetSheet();
    if (nIDEvent == QOS_TIMER_ID && pSheet != NULL && pSheet->GetActivePage() == this)
    {
        KillTimer(m_nTimerId);
        RefreshDlsList();
        m_nTimerId = SetTimer(QOS_TIMER_ID, QOS_PERIOD, NULL);
    }
    CPropertyPage::OnTimer(nIDEvent);
}

void CQoSPAGE::RefreshDlsList()
{
    m_lcDls.DeleteAllItems();
    DlsEntry entries[DLS_ENTRIES];
    if (!QueryDlsTable(entries))
        return;
    for (const DlsEntry& entry : entries)
    {
        if (entry.Valid != 1 || entry.Status != DLS_STATUS_LINKED)
            continue;
        CString strMac = MacText(entry.PeerMac);
        int nRow = m_lcDls.InsertItem(m_lcDls.GetItemCount(), strMac);
        CString strTimeout;
        strTimeout.Format("%d", entry.Timeout);
        m_lcDls.SetItemText(nRow, 1, strTimeout);
        if (strMac == g_strQosDlsText)
            m_lcDls.SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
}

void CQoSPAGE::OnWmmSetup()
{
    UpdateData(TRUE);
    if (m_bWmm)
    {
        GetDlgItem(IDC_QOS_APSD)->EnableWindow(TRUE);
        GetDlgItem(IDC_QOS_DLS)->EnableWindow(TRUE);
        GetDlgItem(IDC_QOS_DLS_SETUP)->EnableWindow(TRUE);
        GetDlgItem(IDC_QOS_POWERSAVE)->EnableWindow(m_bApsd != 0);
    }
    else
    {
        GetDlgItem(IDC_QOS_APSD)->EnableWindow(FALSE);
        GetDlgItem(IDC_QOS_POWERSAVE)->EnableWindow(FALSE);
        GetDlgItem(IDC_QOS_DLS)->EnableWindow(FALSE);
        GetDlgItem(IDC_QOS_DLS_SETUP)->EnableWindow(FALSE);
        m_bApsd = 0;
        m_bDls = 0;
        UpdateData(FALSE);
        EnableDlsDetail(FALSE);
    }

    // With APSD on the driver's own bit 0 is kept; off clears it. Bits 7 and up go.
    DWORD dwApsd = QueryApsdWord();
    if (m_bWmm)
    {
        dwApsd &= m_bApsd ? 0x7F : 0x7E;
        SaveQosSettings(0, 0, 1, 0, 0, 1);
    }
    else
    {
        dwApsd &= 0x7E;
        SaveQosSettings(1, 1, 1, 0, 0, 0);
    }
    ApplyQosToDriver(1, 1, 1, dwApsd, static_cast<DWORD>(m_bDls), static_cast<DWORD>(m_bWmm));
    ReconnectAndRescan();
}

void CQoSPAGE::OnApsdEnable()
{
    UpdateData(TRUE);
    DWORD dwApsd = QueryApsdWord();
    GetDlgItem(IDC_QOS_POWERSAVE)->EnableWindow(m_bApsd != 0);
    if (m_bApsd)
        dwApsd |= 1;
    else
        dwApsd &= 0x7E;
    DWORD dwReturned = 0;
    OidSetInformation(OID_APSD, &dwApsd, sizeof(dwApsd), &dwReturned, 3);
    SaveConfigAndDriverValue("APSDCapable", m_bApsd,
                             "RegOpenKeyEx REGSTR_APSD_CAPABLE '%s' failed\n",
                             "RegSetValueEx REGSTR_APSD_CAPABLE failed\n");
}

void CQoSPAGE::OnPowerSaveSetting()
{
    CPOWERSAVEDLG dlg(this);
    dlg.DoModal();
}

void CQoSPAGE::OnDlsEnable()
{
    UpdateData(TRUE);
    EnableDlsDetail(m_bDls != 0);
    SaveConfigAndDriverValue("DLSCapable", m_bDls, "RegOpenKeyEx REGSTR_DLS_CAPABLE '%s' failed\n",
                             "RegSetValueEx REGSTR_DLS_ENABLE failed\n");
    DWORD dwDls = static_cast<DWORD>(m_bDls);
    DWORD dwReturned = 0;
    OidSetInformation(OID_DLS, &dwDls, sizeof(dwDls), &dwReturned, 3);
}

void CQoSPAGE::OnDlsSetup()
{
    if (!UpdateData(TRUE))
        return;
    // Each edit holds one byte: an empty edit, or one that is no hexadecimal number, is no
    // address.
    BYTE abMac[6];
    for (int i = 0; i < 6; i++)
    {
        if (!MacByteFromText(m_strMac[i], &abMac[i]))
        {
            AfxMessageBox(IDS_QOS_INVALID_MAC, MB_OK);
            return;
        }
    }
    CString strMac = MacText(abMac);

    OidAccessor accessor;
    accessor.QueryCurrentAddress(m_abOwnMac);
    if (strMac == "00-00-00-00-00-00" || strMac == "FF-FF-FF-FF-FF-FF" ||
        strMac == MacText(m_abOwnMac))
    {
        AfxMessageBox(IDS_QOS_INVALID_MAC, MB_OK);
        return;
    }
    if ((abMac[0] & 1) != 0)
    {
        AfxMessageBox(IDS_QOS_GROUP_MAC, MB_OK);
        return;
    }
    int nTimeout = atoi(m_strTimeout);
    if (nTimeout < 0 || nTimeout > 65535)
    {
        AfxMessageBox(IDS_QOS_TIMEOUT_RANGE, MB_OK);
        return;
    }

    DlsEntry entry;
    memset(&entry, 0, sizeof(entry));
    entry.Timeout = static_cast<WORD>(nTimeout);
    memcpy(entry.PeerMac, abMac, sizeof(entry.PeerMac));
    entry.Valid = 1;
    DWORD dwReturned = 0;
    OidSetInformation(OID_DLS_TABLE, &entry, sizeof(entry), &dwReturned, 3);
}

void CQoSPAGE::OnDlsTearDown()
{
    if (g_nQosDlsSelected == -1)
    {
        AfxMessageBox(IDS_NO_SELECTED_ITEM, MB_OK);
        return;
    }
    DlsEntry entries[DLS_ENTRIES];
    QueryDlsTable(entries);
    for (DlsEntry& entry : entries)
    {
        // Whatever its status: a link not yet up is taken down too.
        if (entry.Valid != 1 || MacText(entry.PeerMac) != g_strQosDlsText)
            continue;
        entry.Valid = 0;
        DWORD dwReturned = 0;
        OidSetInformation(OID_DLS_TABLE, &entry, sizeof(entry), &dwReturned, 3);
        m_lcDls.DeleteItem(g_nQosDlsSelected);
        return;
    }
}

void CQoSPAGE::OnDlsListClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    g_nQosDlsSelected = m_lcDls.GetNextItem(-1, LVNI_FOCUSED);
    if (g_nQosDlsSelected >= 0)
        g_strQosDlsText = m_lcDls.GetItemText(g_nQosDlsSelected, 0);
    *pResult = 0;
}

void CQoSPAGE::OnDlsListDblClk(NMHDR* pNMHDR, LRESULT* pResult)
{
    g_nQosDlsSelected = m_lcDls.GetNextItem(-1, LVNI_FOCUSED);
    if (g_nQosDlsSelected >= 0)
    {
        m_strTimeout = m_lcDls.GetItemText(g_nQosDlsSelected, 1);
        CString strMac = m_lcDls.GetItemText(g_nQosDlsSelected, 0);
        for (int i = 0; i < 6; i++)
            m_strMac[i] = strMac.Mid(3 * i, 2);
        UpdateData(FALSE);
    }
    *pResult = 0;
}

#include "accesspoint/pages/BlockAck.h"

#include "accesspoint/pages/BlockAckDlg.h"
#include "adapter/discovery/AdapterState.h"
#include "adapter/driver/DriverRequest.h"
#include "adapter/registry/RegistryCopy.h"

#include <cstring>

#define BA_TIMER_ID 1
#define BA_PERIOD 1000
// At most this much of "BACapability" is read; its first four bytes are the word.
#define BA_CAPABILITY_READ 128

namespace
{

const BaControlIds kControls = {
    IDC_BA_POLICY_MANUAL,
    IDC_BA_POLICY_AUTO,
    IDC_BA_DENSITY,
    {IDC_BA_ORI_ADD, IDC_BA_ORI_DELETE, IDC_BA_ORI_DELETE_ENTRY, IDC_BA_REC_ADD, IDC_BA_REC_DELETE,
     IDC_BA_REC_DELETE_ENTRY},
    IDC_BA_AMSDU_3839,
    IDC_BA_AMSDU_7935,
};

} // namespace

IMPLEMENT_DYNCREATE(CBlockAck, CPropertyPage)

BEGIN_MESSAGE_MAP(CBlockAck, CPropertyPage)
ON_WM_TIMER()
ON_WM_DESTROY()
ON_BN_CLICKED(IDC_BA_APPLY, OnApplyButton)
ON_BN_CLICKED(IDC_BA_MPDU, OnSettingChanged)
ON_BN_CLICKED(IDC_BA_AMSDU, OnSettingChanged)
ON_BN_CLICKED(IDC_BA_POLICY_MANUAL, OnPolicyRadio)
ON_BN_CLICKED(IDC_BA_POLICY_AUTO, OnPolicyRadio)
ON_BN_CLICKED(IDC_BA_ORI_ADD, OnAddOriginator)
ON_BN_CLICKED(IDC_BA_ORI_DELETE, OnDeleteOriginator)
ON_BN_CLICKED(IDC_BA_ORI_DELETE_ENTRY, OnDeleteOriginatorEntry)
ON_BN_CLICKED(IDC_BA_REC_ADD, OnAddRecipient)
ON_BN_CLICKED(IDC_BA_REC_DELETE, OnDeleteRecipient)
ON_BN_CLICKED(IDC_BA_REC_DELETE_ENTRY, OnDeleteRecipientEntry)
END_MESSAGE_MAP()

CBlockAck::CBlockAck() : CPropertyPage(CBlockAck::IDD, IDS_PAGE_11N), m_nTimerId(0) {}

CBlockAck::~CBlockAck() {}

void CBlockAck::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BA_ORI_LIST, m_listOriginator);
    DDX_Control(pDX, IDC_BA_REC_LIST, m_listRecipient);
    DDX_Check(pDX, IDC_BA_MPDU, m_Settings.bMpduAggregation);
    DDX_Radio(pDX, IDC_BA_POLICY_MANUAL, m_Settings.nPolicy);
    DDX_CBString(pDX, IDC_BA_DENSITY, m_Settings.strDensity);
    DDX_Check(pDX, IDC_BA_AMSDU, m_Settings.bAmsdu);
    DDX_Radio(pDX, IDC_BA_AMSDU_3839, m_Settings.nAmsduSize);
    DDX_Radio(pDX, IDC_BA_SM_ENABLE, m_Settings.nSmps);
}

BOOL CBlockAck::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    CString strMac;
    strMac.LoadString(IDS_BA_MAC);
    InitBaSessionList(m_listOriginator, strMac);
    InitBaSessionList(m_listRecipient, strMac);

    // The driver gets the stored capability each time the page is created.
    LoadBaCapability();
    SendBaCapability();
    UpdateData(FALSE);
    UpdateBaControls();

    // Runs until the page's window goes; only the active page re-reads the sessions.
    m_nTimerId = SetTimer(BA_TIMER_ID, BA_PERIOD, NULL);
    return TRUE;
}

BOOL CBlockAck::OnSetActive()
{
    QueryBaSettings(OID_AP_BA_CAPABILITY, m_Settings);
    UpdateBaControls();
    UpdateData(FALSE);
    return CPropertyPage::OnSetActive();
}

void CBlockAck::OnDestroy()
{
    KillTimer(m_nTimerId);
    CPropertyPage::OnDestroy();
}

void CBlockAck::OnTimer(UINT_PTR nIDEvent)
{
    CPropertySheet* pSheet = GetSheet();
    if (nIDEvent == BA_TIMER_ID && pSheet != NULL && pSheet->GetActivePage() == this)
        RefreshSessions();
    CPropertyPage::OnTimer(nIDEvent);
}

void CBlockAck::RefreshSessions()
{
    BaSessionTable table;
    if (!QueryBaSessionTable(OID_AP_BA_SESSIONS, &table))
        return;
    FillBaSessionList(m_listOriginator, table, BA_ORIGINATOR, m_OriginatorSessions);
    FillBaSessionList(m_listRecipient, table, BA_RECIPIENT, m_RecipientSessions);
}

void CBlockAck::LoadBaCapability()
{
    HKEY hKey = OpenMachineKey(g_strDriverKey, KEY_READ);
    if (hKey == 0)
        return;
    BYTE abData[BA_CAPABILITY_READ];
    memset(abData, 0, sizeof(abData));
    DWORD dwType = 0;
    DWORD cbData = sizeof(abData);
    LONG lResult = RegQueryValueExA(hKey, "BACapability", NULL, &dwType, abData, &cbData);
    RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS)
        return;
    DWORD dwCapability = static_cast<DWORD>(abData[0]) | static_cast<DWORD>(abData[1]) << 8 |
                         static_cast<DWORD>(abData[2]) << 16 | static_cast<DWORD>(abData[3]) << 24;
    ReadAggregationRequest(UnpackBaCapability(dwCapability), m_Settings);
}

void CBlockAck::SaveBaCapability()
{
    HKEY hKey = OpenMachineKey(g_strDriverKey, KEY_ALL_ACCESS);
    if (hKey == 0)
        return;
    DWORD dwCapability = PackBaCapability(BuildAggregationRequest(m_Settings));
    if (SetDwordValue(hKey, "BACapability", dwCapability) != ERROR_SUCCESS)
        ReportRegistryFailure("RegSetValueEx REGSTR_BA_CAP '%s' failed\n", "BACapability");
    RegCloseKey(hKey);
}

void CBlockAck::SendBaCapability()
{
    AggregationRequest request = BuildAggregationRequest(m_Settings);
    DWORD dwBytes = 0;
    OidSetInformation(OID_AP_BA_CAPABILITY, &request, sizeof(request), &dwBytes, 3);
}

void CBlockAck::UpdateBaControls()
{
    EnableBaControls(*this, kControls, m_Settings);
}

void CBlockAck::OnApplyButton()
{
    UpdateData(TRUE);
    SendBaCapability();
    SaveBaCapability();
    UpdateBaControls();
}

void CBlockAck::OnSettingChanged()
{
    UpdateData(TRUE);
    UpdateBaControls();
}

// The choice is taken; the buttons follow it at the next APPLY or activation.
void CBlockAck::OnPolicyRadio()
{
    UpdateData(TRUE);
}

void CBlockAck::AddSession(BYTE nDirection)
{
    CAddBlockAckDlg dlg(this, nDirection == BA_ORIGINATOR);
    if (dlg.DoModal() != IDOK)
        return;
    BaSessionRequest request;
    memset(&request, 0, sizeof(request));
    request.Direction = nDirection;
    memcpy(request.PeerMac, dlg.m_abBssid, sizeof(request.PeerMac));
    request.Tid = static_cast<BYTE>(dlg.m_nTid);
    request.WindowSize = static_cast<BYTE>(dlg.m_nWindowSize);
    DWORD dwBytes = 0;
    OidSetInformation(OID_AP_BA_ADD, &request, sizeof(request), &dwBytes, 3);
}

void CBlockAck::DeleteSession(BYTE nDirection, BOOL bWholeEntry)
{
    const CBaSessionArray& sessions =
        nDirection == BA_ORIGINATOR ? m_OriginatorSessions : m_RecipientSessions;
    CDeleteBlockAckDlg dlg(this, sessions, nDirection == BA_ORIGINATOR, !bWholeEntry);
    if (dlg.DoModal() != IDOK)
        return;
    BaSessionRequest request;
    memset(&request, 0, sizeof(request));
    request.Direction = nDirection;
    memcpy(request.PeerMac, dlg.m_abBssid, sizeof(request.PeerMac));
    request.Tid = static_cast<BYTE>(dlg.m_nTid);
    request.AllSessions = bWholeEntry ? 1 : 0;
    DWORD dwBytes = 0;
    OidSetInformation(OID_AP_BA_DELETE, &request, sizeof(request), &dwBytes, 3);
}

void CBlockAck::OnAddOriginator()
{
    AddSession(BA_ORIGINATOR);
}

void CBlockAck::OnDeleteOriginator()
{
    DeleteSession(BA_ORIGINATOR, FALSE);
}

void CBlockAck::OnDeleteOriginatorEntry()
{
    DeleteSession(BA_ORIGINATOR, TRUE);
}

void CBlockAck::OnAddRecipient()
{
    AddSession(BA_RECIPIENT);
}

void CBlockAck::OnDeleteRecipient()
{
    DeleteSession(BA_RECIPIENT, FALSE);
}

void CBlockAck::OnDeleteRecipientEntry()
{
    DeleteSession(BA_RECIPIENT, TRUE);
}

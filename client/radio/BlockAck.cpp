#include "client/radio/BlockAck.h"

#include "adapter/registry/RegistryCopy.h"
#include "client/access/AdapterState.h"
#include "client/access/OidAccessor.h"
#include "client/app/SettingsStore.h"
#include "client/radio/BlockAckDlgs.h"
#include "resources/TessarynUI/TessarynUIStrings.h"

#include <cstdlib>

namespace
{

#define OID_BA_SESSION_TABLE 0xFF0C0025 // the sessions of both sides, 3076 bytes
#define BA_TIMER_ID 1
#define BA_PERIOD 1000

struct ControlText
{
    int nId;
    UINT nText;
};

const ControlText kTexts[] = {
    {IDC_BA_ORIGINATOR_GROUP, IDS_BA_ORIGINATOR},
    {IDC_BA_RECIPIENT_GROUP, IDS_BA_RECIPIENT},
    {IDC_BA_POLICY_MANUAL, IDS_BA_MANUAL},
    {IDC_BA_POLICY_AUTO, IDS_BA_AUTO},
    {IDC_BA_DENSITY_LABEL, IDS_BA_DENSITY},
    {IDC_BA_ORI_ADD, IDS_BA_ADD},
    {IDC_BA_ORI_DELETE, IDS_BA_DELETE},
    {IDC_BA_ORI_DELETE_ENTRY, IDS_BA_DELETE_ENTRY},
    {IDC_BA_REC_ADD, IDS_BA_ADD},
    {IDC_BA_REC_DELETE, IDS_BA_DELETE},
    {IDC_BA_REC_DELETE_ENTRY, IDS_BA_DELETE_ENTRY},
    {IDC_BA_APPLY, IDS_BA_APPLY},
};

// What the template hides and the page shows ("Max: 7935" and DELETE ENTRY stay hidden).
const int kShown[] = {IDC_BA_AMSDU_GROUP, IDC_BA_AMSDU,       IDC_BA_AMSDU_3839,  IDC_BA_SMPS_GROUP,
                      IDC_BA_SM_ENABLE,   IDC_BA_SMPS_STATIC, IDC_BA_SMPS_DYNAMIC};

const BaControlIds kControlIds = {
    IDC_BA_POLICY_MANUAL,
    IDC_BA_POLICY_AUTO,
    IDC_BA_DENSITY,
    {IDC_BA_ORI_ADD, IDC_BA_ORI_DELETE, IDC_BA_ORI_DELETE_ENTRY, IDC_BA_REC_ADD, IDC_BA_REC_DELETE,
     IDC_BA_REC_DELETE_ENTRY},
    IDC_BA_AMSDU_3839,
    IDC_BA_AMSDU_7935,
};

} // namespace

void CopyBaSessions(const CBaSessionArray& from, CBaSessionArray& to)
{
    to.RemoveAll();
    for (INT_PTR i = 0; i < from.GetSize(); i++)
    {
        BaPeerSessions peer = from[i];
        to.Add(peer);
    }
}

IMPLEMENT_DYNCREATE(CBlockAck, CPropertyPage)

BEGIN_MESSAGE_MAP(CBlockAck, CPropertyPage)
ON_BN_CLICKED(IDC_BA_POLICY_MANUAL, OnBaPolicyRadio)
ON_BN_CLICKED(IDC_BA_POLICY_AUTO, OnBaPolicyRadio)
ON_BN_CLICKED(IDC_BA_MPDU, OnEnableAggregation)
ON_BN_CLICKED(IDC_BA_AMSDU, OnEnableAggregation)
ON_BN_CLICKED(IDC_BA_APPLY, OnApplyClicked)
ON_BN_CLICKED(IDC_BA_ORI_ADD, OnAddOriginator)
ON_BN_CLICKED(IDC_BA_ORI_DELETE, OnDeleteOriginator)
ON_BN_CLICKED(IDC_BA_ORI_DELETE_ENTRY, OnDeleteOriginatorEntry)
ON_BN_CLICKED(IDC_BA_REC_ADD, OnAddRecipient)
ON_BN_CLICKED(IDC_BA_REC_DELETE, OnDeleteRecipient)
ON_BN_CLICKED(IDC_BA_REC_DELETE_ENTRY, OnDeleteRecipientEntry)
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CBlockAck::CBlockAck() : CPropertyPage(CBlockAck::IDD, IDS_PAGE_11N), m_nTimerId(0) {}

CBlockAck::~CBlockAck() {}

void CBlockAck::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BA_RECIPIENT_LIST, m_lcRecipient);
    DDX_Control(pDX, IDC_BA_ORIGINATOR_LIST, m_lcOriginator);
    DDX_Radio(pDX, IDC_BA_POLICY_MANUAL, m_Ba.nPolicy);
    DDX_Check(pDX, IDC_BA_MPDU, m_Ba.bMpduAggregation);
    DDX_CBString(pDX, IDC_BA_DENSITY, m_Ba.strDensity);
    DDX_Check(pDX, IDC_BA_AMSDU, m_Ba.bAmsdu);
    DDX_Radio(pDX, IDC_BA_AMSDU_3839, m_Ba.nAmsduSize);
    DDX_Radio(pDX, IDC_BA_SM_ENABLE, m_Ba.nSmps);
}

BOOL CBlockAck::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_lcOriginator.DeleteAllItems();
    m_lcRecipient.DeleteAllItems();
    for (const ControlText& text : kTexts)
        SetDlgItemText(text.nId, LoadText(text.nText));
    InitBaSessionList(m_lcOriginator, LoadText(IDS_BA_COL_MAC));
    InitBaSessionList(m_lcRecipient, LoadText(IDS_BA_COL_MAC));
    LoadBaCapability();
    SendAggregation();
    UpdateBaControls();
    UpdateData(FALSE);
    m_nTimerId = SetTimer(BA_TIMER_ID, BA_PERIOD, NULL);
    for (int nId : kShown)
        GetDlgItem(nId)->ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CBlockAck::OnSetActive()
{
    QueryAggregation();
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
        QueryBaTable();
    CPropertyPage::OnTimer(nIDEvent);
}

void CBlockAck::LoadBaCapability()
{
    char szValue[128] = {0};
    GetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "BACapability", szValue,
                sizeof(szValue));
    if (szValue[0] == '\0')
        return;
    DWORD dwCapability = static_cast<DWORD>(strtoul(szValue, NULL, 10));
    ReadAggregationRequest(UnpackBaCapability(dwCapability), m_Ba);
}

void CBlockAck::SaveBaCapability()
{
    DWORD dwCapability = PackBaCapability(BuildAggregationRequest(m_Ba));
    CString strCapability;
    strCapability.Format("%d", static_cast<int>(dwCapability));
    SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "BACapability", strCapability);

    HKEY hKey = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &hKey) !=
        ERROR_SUCCESS)
    {
        ReportRegistryFailure("RegOpenKeyEx '%hs' failed\n", g_strDriverKey);
        return;
    }
    if (SetDwordValue(hKey, "BACapability", dwCapability) != ERROR_SUCCESS)
        ReportRegistryFailure("RegSetValueEx REGSTR_BA_CAP '%s' failed\n", strCapability);
    RegCloseKey(hKey);
}

void CBlockAck::QueryAggregation()
{
    QueryBaSettings(OID_AGGREGATION, m_Ba);
}

void CBlockAck::SendAggregation()
{
    OidAccessor accessor;
    accessor.SetAggregation(BuildAggregationRequest(m_Ba));
}

void CBlockAck::UpdateBaControls()
{
    EnableBaControls(*this, kControlIds, m_Ba);
}

void CBlockAck::QueryBaTable()
{
    // A table without bytes leaves the lists as they were.
    BaSessionTable table;
    if (!QueryBaSessionTable(OID_BA_SESSION_TABLE, &table))
        return;
    FillBaSessionList(m_lcOriginator, table, BA_ORIGINATOR, m_OriginatorSessions);
    FillBaSessionList(m_lcRecipient, table, BA_RECIPIENT, m_RecipientSessions);
}

void CBlockAck::GetOriginatorSessions(CBaSessionArray& sessions) const
{
    CopyBaSessions(m_OriginatorSessions, sessions);
}

void CBlockAck::GetRecipientSessions(CBaSessionArray& sessions) const
{
    CopyBaSessions(m_RecipientSessions, sessions);
}

void CBlockAck::OnBaPolicyRadio()
{
    UpdateData(TRUE);
}

void CBlockAck::OnEnableAggregation()
{
    UpdateData(TRUE);
    UpdateBaControls();
}

BOOL CBlockAck::OnApply()
{
    UpdateData(TRUE);
    SendAggregation();
    SaveBaCapability();
    UpdateBaControls();
    return TRUE;
}

void CBlockAck::OnApplyClicked()
{
    OnApply();
}

void CBlockAck::AddSession(BYTE nDirection)
{
    CAddBlockAckDlg dlg(this, nDirection == BA_ORIGINATOR, this);
    if (dlg.DoModal() != IDOK)
        return;
    OidAccessor accessor;
    accessor.AddBaSession(nDirection, dlg.m_abBssid, static_cast<BYTE>(dlg.m_nTid),
                          static_cast<BYTE>(dlg.m_nWindowSize & 0xFF));
}

void CBlockAck::DeleteSession(BYTE nDirection, BOOL bAllSessions)
{
    CDeleteBlockAckDlg dlg(this, nDirection == BA_ORIGINATOR, this, !bAllSessions);
    if (dlg.DoModal() != IDOK)
        return;
    OidAccessor accessor;
    accessor.DeleteBaSession(nDirection, dlg.m_abBssid,
                             bAllSessions ? 0 : static_cast<BYTE>(dlg.m_nTid), bAllSessions);
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

#include "accesspoint/pages/AccessControlPage.h"

#include "accesspoint/settings/ApDriverRecords.h"
#include "accesspoint/settings/ApSettingsPush.h"
#include "accesspoint/settings/ApSettingsReader.h"
#include "accesspoint/settings/ApSettingsTable.h"
#include "adapter/crypto/HexToBytes.h"
#include "adapter/discovery/AdapterState.h"
#include "adapter/registry/RegistryCopy.h"
#include "resources/TessarynAp/TessarynApStrings.h"

#include <cstdlib>
#include <cstring>

namespace
{

// Where the in-place edit and its buttons go, from the row's left edge (pixels).
const int kModifyEditWidth = 90;
const int kModifyButtonOffset = 91;
const int kCancelButtonOffset = 147;
const int kButtonWidth = 55;

// Where "-" goes in the listed form, in the order it is inserted.
const int kDashPositions[] = {2, 5, 8, 11, 14};

const int kListControls[] = {IDC_ACL_LIST, IDC_ACL_MAC_EDIT, IDC_ACL_ADD, IDC_ACL_DELETE,
                             IDC_ACL_REMOVE_ALL};

} // namespace

UINT CheckTypedMac(LPCSTR pszTyped)
{
    // A pasted text is not filtered as typed text is: digits other than hexadecimal are an
    // invalid address too.
    if (strlen(pszTyped) != 12)
        return IDS_ACL_INVALID_MAC;
    for (int i = 0; i < 12; i++)
    {
        if (HexDigitValue(pszTyped[i]) > 15)
            return IDS_ACL_INVALID_MAC;
    }
    BYTE bFirst = 0;
    HexToBytes(pszTyped, &bFirst, 1);
    if (bFirst & 0x01)
        return IDS_ACL_MULTICAST_MAC;
    return 0;
}

CString ListedMacText(LPCSTR pszTyped)
{
    CString strListed = pszTyped;
    for (int nPosition : kDashPositions)
    {
        if (nPosition < strListed.GetLength())
            strListed.Insert(nPosition, '-');
    }
    return strListed;
}

CString TypedMacText(LPCSTR pszListed)
{
    CString strTyped = pszListed;
    strTyped.Remove('-');
    return strTyped;
}

IMPLEMENT_DYNCREATE(CAccessControlPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CAccessControlPage, CPropertyPage)
ON_CBN_SELCHANGE(IDC_ACL_POLICY_COMBO, OnSelchangePolicy)
ON_BN_CLICKED(IDC_ACL_ADD, OnAdd)
ON_BN_CLICKED(IDC_ACL_DELETE, OnDelete)
ON_BN_CLICKED(IDC_ACL_REMOVE_ALL, OnRemoveAll)
ON_CONTROL(LBN_DBLCLK, IDC_ACL_LIST, OnDblclkList)
ON_BN_CLICKED(IDC_ACL_MODIFY, OnModify)
ON_BN_CLICKED(IDC_ACL_CANCEL, OnCancelModify)
ON_BN_CLICKED(IDC_ACL_APPLY, OnApplyButton)
END_MESSAGE_MAP()

CAccessControlPage::CAccessControlPage()
    : CPropertyPage(CAccessControlPage::IDD, IDS_PAGE_ACCESS_CONTROL), m_nPolicy(0)
{
}

CAccessControlPage::~CAccessControlPage() {}

void CAccessControlPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ACL_POLICY_COMBO, m_cbPolicy);
    DDX_Control(pDX, IDC_ACL_LIST, m_lbMacList);
    DDX_Control(pDX, IDC_ACL_MAC_EDIT, m_editMac);
    DDX_Control(pDX, IDC_ACL_MODIFY_EDIT, m_editModifyMac);
    DDX_CBIndex(pDX, IDC_ACL_POLICY_COMBO, m_nPolicy);
    DDX_Text(pDX, IDC_ACL_MAC_EDIT, m_strMac);
    DDV_MaxChars(pDX, m_strMac, 12);
    DDX_Text(pDX, IDC_ACL_MODIFY_EDIT, m_strModifyMac);
    DDV_MaxChars(pDX, m_strModifyMac, 12);
    DDX_Text(pDX, IDC_ACL_POLICY_LABEL, m_strPolicyLabel);
    DDX_Text(pDX, IDC_ACL_LIST_LABEL, m_strListLabel);
    DDX_Text(pDX, IDC_ACL_MAC_LABEL, m_strMacLabel);
    if (pDX->m_bSaveAndValidate && m_nPolicy < 0)
        m_nPolicy = 0;
}

BOOL CAccessControlPage::OnInitDialog()
{
    m_strPolicyLabel = LoadText(IDS_ACL_POLICY_LABEL);
    m_strListLabel = LoadText(IDS_ACL_LIST_LABEL);
    m_strMacLabel = LoadText(IDS_MAC_ADDRESS);
    CPropertyPage::OnInitDialog();

    m_lbMacList.SetItemHeight(0, static_cast<UINT>(m_lbMacList.GetItemHeight(0) * 3 / 2));
    m_cbPolicy.ResetContent();
    for (UINT nID : {IDS_ACL_DISABLE, IDS_ACL_ALLOW_ALL, IDS_ACL_REJECT_ALL})
        m_cbPolicy.AddString(LoadText(nID));
    LoadAccessControl();
    UpdateData(FALSE);
    SetEnableState();

    m_editMac.SetCharMask(SMARTEDIT_MASK_HEX);
    m_editModifyMac.SetCharMask(SMARTEDIT_MASK_HEX);
    SetDlgItemText(IDC_ACL_ADD, LoadText(IDS_ACL_ADD));
    SetDlgItemText(IDC_ACL_DELETE, LoadText(IDS_ACL_DELETE));
    SetDlgItemText(IDC_ACL_REMOVE_ALL, LoadText(IDS_ACL_REMOVE_ALL));
    SetDlgItemText(IDC_ACL_APPLY, LoadText(IDS_ACL_APPLY));
    SetDlgItemText(IDC_ACL_MODIFY, LoadText(IDS_ACL_MODIFY));
    SetDlgItemText(IDC_ACL_CANCEL, LoadText(IDS_CANCEL));
    return TRUE;
}

void CAccessControlPage::LoadAccessControl()
{
    HKEY hKey = OpenMachineKey(g_strDriverKey, KEY_READ);
    if (hKey == 0)
        return;
    CApSettingsReader reader(hKey);
    int nPolicy = 0;
    if (reader.ReadNumber("AccessControlPolicy", nPolicy))
        m_nPolicy = nPolicy;
    // No more rows than the list and the driver's record hold.
    CStringArray entries;
    reader.ReadList("AccessControlList", entries, AP_ACCESS_LIST_MAX);
    for (INT_PTR i = 0; i < entries.GetSize(); i++)
    {
        CString strListed = ListedMacText(entries[i]);
        if (m_lbMacList.FindString(-1, strListed) == LB_ERR)
            m_lbMacList.AddString(strListed);
    }
    RegCloseKey(hKey);
}

void CAccessControlPage::EnableControl(int nID, BOOL bEnable)
{
    if (CWnd* pWnd = GetDlgItem(nID))
        pWnd->EnableWindow(bEnable);
}

void CAccessControlPage::SetEnableState()
{
    BOOL bEnabled = m_nPolicy != 0;
    for (int nID : kListControls)
        EnableControl(nID, bEnabled);
    EnableControl(IDC_ACL_ADD, bEnabled && m_lbMacList.GetCount() < AP_ACCESS_LIST_MAX);
}

void CAccessControlPage::OnSelchangePolicy()
{
    if (!UpdateData(TRUE))
        return;
    SetEnableState();
}

BOOL CAccessControlPage::AcceptMac(LPCSTR pszTyped)
{
    UINT nError = CheckTypedMac(pszTyped);
    if (nError != 0)
    {
        MessageBox(LoadText(nError), LoadText(IDS_ACL_ERROR_CAPTION), MB_ICONSTOP);
        return FALSE;
    }
    // The list search ignores letter case.
    if (m_lbMacList.FindStringExact(-1, ListedMacText(pszTyped)) != LB_ERR)
    {
        MessageBox(LoadText(IDS_ACL_DUPLICATED_MAC), NULL, MB_OK);
        return FALSE;
    }
    return TRUE;
}

void CAccessControlPage::OnAdd()
{
    if (!UpdateData(TRUE))
        return;
    if (m_lbMacList.GetCount() >= AP_ACCESS_LIST_MAX || !AcceptMac(m_strMac))
        return;
    m_lbMacList.AddString(ListedMacText(m_strMac));
    if (m_lbMacList.GetCount() >= AP_ACCESS_LIST_MAX)
        EnableControl(IDC_ACL_ADD, FALSE);
}

void CAccessControlPage::OnDelete()
{
    int nSel = m_lbMacList.GetCurSel();
    if (nSel == LB_ERR)
        return;
    m_lbMacList.DeleteString(static_cast<UINT>(nSel));
    EnableControl(IDC_ACL_ADD, TRUE);
}

void CAccessControlPage::OnRemoveAll()
{
    m_lbMacList.ResetContent();
    EnableControl(IDC_ACL_ADD, TRUE);
}

void CAccessControlPage::OnDblclkList()
{
    int nSel = m_lbMacList.GetCurSel();
    if (nSel == LB_ERR)
        return;
    CString strListed;
    m_lbMacList.GetText(nSel, strListed);
    m_strModifyMac = TypedMacText(strListed);
    SetDlgItemText(IDC_ACL_MODIFY_EDIT, m_strModifyMac);

    EnableControl(IDC_ACL_APPLY, FALSE);
    EnableControl(IDC_ACL_POLICY_COMBO, FALSE);
    for (int nID : kListControls)
        EnableControl(nID, FALSE);

    // Over the row: the row's rectangle in the page's coordinates.
    CRect rcRow;
    m_lbMacList.GetItemRect(nSel, &rcRow);
    m_lbMacList.ClientToScreen(&rcRow);
    ScreenToClient(&rcRow);
    int nHeight = rcRow.Height() - 1;
    const struct
    {
        int nID;
        int nOffset;
        int nWidth;
    } kPlaces[] = {{IDC_ACL_MODIFY_EDIT, 0, kModifyEditWidth},
                   {IDC_ACL_MODIFY, kModifyButtonOffset, kButtonWidth},
                   {IDC_ACL_CANCEL, kCancelButtonOffset, kButtonWidth}};
    for (const auto& place : kPlaces)
    {
        CWnd* pWnd = GetDlgItem(place.nID);
        if (pWnd == NULL)
            continue;
        pWnd->MoveWindow(rcRow.left + place.nOffset, rcRow.top, place.nWidth, nHeight);
        pWnd->ShowWindow(SW_SHOW);
    }
    m_editModifyMac.SetFocus();
    m_lbMacList.Invalidate();
}

void CAccessControlPage::OnModify()
{
    if (!UpdateData(TRUE))
        return;
    // The edited address is checked like a new one, so an unchanged row is a duplicate too.
    if (!AcceptMac(m_strModifyMac))
        return;
    int nSel = m_lbMacList.GetCurSel();
    if (nSel != LB_ERR)
    {
        m_lbMacList.DeleteString(static_cast<UINT>(nSel));
        m_lbMacList.InsertString(nSel, ListedMacText(m_strModifyMac));
        m_lbMacList.SetCurSel(nSel);
    }
    for (int nID : {IDC_ACL_MODIFY_EDIT, IDC_ACL_MODIFY, IDC_ACL_CANCEL})
    {
        if (CWnd* pWnd = GetDlgItem(nID))
            pWnd->ShowWindow(SW_HIDE);
    }
    EnableControl(IDC_ACL_APPLY, TRUE);
    EnableControl(IDC_ACL_POLICY_COMBO, TRUE);
    SetEnableState();
}

void CAccessControlPage::EndModify()
{
    m_strModifyMac.Empty();
    SetDlgItemText(IDC_ACL_MODIFY_EDIT, m_strModifyMac);
    for (int nID : {IDC_ACL_MODIFY_EDIT, IDC_ACL_MODIFY, IDC_ACL_CANCEL})
    {
        if (CWnd* pWnd = GetDlgItem(nID))
            pWnd->ShowWindow(SW_HIDE);
    }
    EnableControl(IDC_ACL_POLICY_COMBO, TRUE);
    EnableControl(IDC_ACL_APPLY, TRUE);
    SetEnableState();
}

void CAccessControlPage::OnCancelModify()
{
    EndModify();
}

void CAccessControlPage::OnCancel()
{
    if (m_hWnd != 0)
        EndModify();
    CPropertyPage::OnCancel();
}

BOOL CAccessControlPage::OnKillActive()
{
    EndModify();
    return CPropertyPage::OnKillActive();
}

void CAccessControlPage::ListedEntries(CStringArray& entries) const
{
    entries.RemoveAll();
    for (int i = 0; i < m_lbMacList.GetCount(); i++)
    {
        CString strListed;
        m_lbMacList.GetText(i, strListed);
        entries.Add(TypedMacText(strListed));
    }
}

void CAccessControlPage::OnApplyButton()
{
    if (!UpdateData(TRUE))
        return;
    CString strApDefault = g_strDriverKey + "\\" + AP_DEFAULT_SUBKEY;
    HKEY hApDefault = OpenMachineKey(strApDefault, KEY_ALL_ACCESS);
    if (hApDefault == 0)
        return;
    CStringArray entries;
    ListedEntries(entries);
    WriteApNumber(hApDefault, "AccessControlPolicy", m_nPolicy);
    WriteApList(hApDefault, "AccessControlList", entries);
    HKEY hDriverKey = OpenMachineKey(g_strDriverKey, KEY_ALL_ACCESS);
    if (hDriverKey != 0)
    {
        CopyRegistryValues(hApDefault, hDriverKey);
        RegCloseKey(hDriverKey);
    }
    RegCloseKey(hApDefault);

    AP_ACCESS_CONTROL acl;
    BuildApAccessControl(m_nPolicy, entries, acl);
    SetApRecord(OID_AP_ACCESS_CONTROL_SET, &acl, sizeof(acl));
}

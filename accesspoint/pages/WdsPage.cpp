#include "accesspoint/pages/WdsPage.h"

#include "accesspoint/app/ApGlobals.h"
#include "accesspoint/settings/ApDriverRecords.h"
#include "accesspoint/settings/ApRateSets.h"
#include "accesspoint/settings/ApSettingsReader.h"
#include "adapter/crypto/PasswordHash.h"
#include "adapter/discovery/AdapterState.h"
#include "adapter/driver/DriverRequest.h"
#include "adapter/registry/RegistryCopy.h"

#include <cstring>
#include <vector>

// Only hexadecimal digits in the address edits, twelve of them.
#define HEX_DIGITS_MASK 0x40
#define MAC_TEXT_LENGTH 12
#define WDS_VALUE_BUFFER 1024

namespace
{

// The page's own salt for the peers' key; the settings push has another.
const BYTE kWdsPageSalt[6] = {'W', 'D', 'S', 'L', 'N', 'K'};

// "0073FF123456" -> "00-73-FF-12-34-56", the letters as typed.
CString ListedForm(const CString& strTyped)
{
    CString strListed;
    for (int i = 0; i < strTyped.GetLength(); i++)
    {
        if (i > 0 && i % 2 == 0)
            strListed += '-';
        strListed += strTyped[i];
    }
    return strListed;
}

CString TypedForm(const CString& strListed)
{
    CString strTyped(strListed);
    strTyped.Remove('-');
    return strTyped;
}

void ShowMacError(CWnd& page, UINT nText, BOOL bCaption)
{
    CString strText;
    strText.LoadString(nText);
    CString strCaption;
    if (bCaption)
        strCaption.LoadString(IDS_ACL_ERROR_CAPTION);
    page.MessageBox(strText, bCaption ? static_cast<LPCSTR>(strCaption) : NULL,
                    bCaption ? MB_ICONSTOP : MB_OK);
}

void SetText(CWnd& page, int nId, UINT nString)
{
    CString strText;
    strText.LoadString(nString);
    page.SetDlgItemText(nId, strText);
}

} // namespace

IMPLEMENT_DYNCREATE(CWdsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CWdsPage, CPropertyPage)
ON_BN_CLICKED(IDC_WDS_ENABLE, OnWdsRadio)
ON_BN_CLICKED(IDC_WDS_DISABLE, OnWdsRadio)
ON_BN_CLICKED(IDC_WDS_ADD, OnAdd)
ON_BN_CLICKED(IDC_WDS_DELETE, OnDelete)
ON_BN_CLICKED(IDC_WDS_REMOVE_ALL, OnRemoveAll)
ON_CONTROL(LBN_DBLCLK, IDC_WDS_LIST, OnListDoubleClick)
ON_BN_CLICKED(IDC_WDS_MODIFY, OnModify)
ON_BN_CLICKED(IDC_WDS_CANCEL, OnCancelModify)
ON_BN_CLICKED(IDC_WDS_APPLY, OnApplyButton)
END_MESSAGE_MAP()

CWdsPage::CWdsPage() : CPropertyPage(CWdsPage::IDD, IDS_PAGE_WDS), m_nWdsEnable(1) {}

CWdsPage::~CWdsPage() {}

void CWdsPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WDS_LIST, m_listPeers);
    DDX_Control(pDX, IDC_WDS_MAC_EDIT, m_editMac);
    DDX_Control(pDX, IDC_WDS_MODIFY_EDIT, m_editModify);
    DDX_Radio(pDX, IDC_WDS_ENABLE, m_nWdsEnable);
    DDX_Text(pDX, IDC_WDS_MAC_EDIT, m_strMac);
    DDX_Text(pDX, IDC_WDS_MODIFY_EDIT, m_strModifyMac);
}

BOOL CWdsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_editMac.SetCharMask(HEX_DIGITS_MASK);
    m_editMac.SetLimitText(MAC_TEXT_LENGTH);
    m_editModify.SetCharMask(HEX_DIGITS_MASK);
    m_editModify.SetLimitText(MAC_TEXT_LENGTH);
    m_listPeers.SetItemHeight(0, m_listPeers.GetItemHeight(0) * 3 / 2);
    SetText(*this, IDC_WDS_POLICY_LABEL, IDS_WDS_POLICY_LABEL);
    SetText(*this, IDC_WDS_MAC_LABEL, IDS_WDS_MAC_LABEL);
    SetText(*this, IDC_WDS_LIST_LABEL, IDS_WDS_LIST_LABEL);
    SetText(*this, IDC_WDS_NOTE1, IDS_WDS_NOTE1);
    SetText(*this, IDC_WDS_NOTE2, IDS_WDS_NOTE2);
    SetText(*this, IDC_WDS_ENABLE, IDS_WDS_ENABLE);
    SetText(*this, IDC_WDS_DISABLE, IDS_ACL_DISABLE);
    SetText(*this, IDC_WDS_ADD, IDS_ACL_ADD);
    SetText(*this, IDC_WDS_DELETE, IDS_ACL_DELETE);
    SetText(*this, IDC_WDS_REMOVE_ALL, IDS_ACL_REMOVE_ALL);
    SetText(*this, IDC_WDS_APPLY, IDS_ACL_APPLY);
    LoadWdsSettings();
    UpdateData(FALSE);
    UpdateEnableState();
    return TRUE;
}

void CWdsPage::LoadWdsSettings()
{
    HKEY hKey = OpenMachineKey(g_strDriverKey + "\\ApDefault", KEY_READ);
    if (hKey == 0)
        return;
    CApSettingsReader reader(hKey);
    int nEnable = m_nWdsEnable;
    if (reader.ReadNumber("WdsEnable", nEnable))
        m_nWdsEnable = nEnable == 0 ? 0 : 1;
    CStringArray entries;
    if (reader.ReadList("WdsList", entries, WDS_MAX_PEERS))
        for (int i = 0; i < entries.GetSize(); i++)
        {
            CString strListed = ListedForm(entries[i]);
            if (m_listPeers.FindString(-1, strListed) == LB_ERR)
                m_listPeers.AddString(strListed);
        }
    RegCloseKey(hKey);
    // The driver key follows "ApDefault" after every read of it.
    HKEY hSource = OpenMachineKey(g_strDriverKey + "\\ApDefault", KEY_READ);
    HKEY hDest = OpenMachineKey(g_strDriverKey, KEY_ALL_ACCESS);
    if (hSource != 0 && hDest != 0)
        CopyRegistryValues(hSource, hDest);
    if (hSource != 0)
        RegCloseKey(hSource);
    if (hDest != 0)
        RegCloseKey(hDest);
}

void CWdsPage::UpdateEnableState()
{
    BOOL bEnabled = m_nWdsEnable == 0;
    m_listPeers.EnableWindow(bEnabled);
    m_editMac.EnableWindow(bEnabled);
    GetDlgItem(IDC_WDS_DELETE)->EnableWindow(bEnabled);
    GetDlgItem(IDC_WDS_REMOVE_ALL)->EnableWindow(bEnabled);
    GetDlgItem(IDC_WDS_ADD)->EnableWindow(bEnabled && m_listPeers.GetCount() < WDS_MAX_PEERS);
}

BOOL CWdsPage::OnSetActive()
{
    UpdateData(TRUE);
    UpdateEnableState();
    return CPropertyPage::OnSetActive();
}

BOOL CWdsPage::OnKillActive()
{
    EndInPlaceEdit();
    return CPropertyPage::OnKillActive();
}

void CWdsPage::OnCancel()
{
    EndInPlaceEdit();
    CPropertyPage::OnCancel();
}

void CWdsPage::OnWdsRadio()
{
    UpdateData(TRUE);
    UpdateEnableState();
}

BOOL CWdsPage::CheckMac(const CString& strTyped, CString& strListed)
{
    if (strTyped.GetLength() != MAC_TEXT_LENGTH || !IsHexText(strTyped, MAC_TEXT_LENGTH))
    {
        ShowMacError(*this, IDS_ACL_INVALID_MAC, TRUE);
        return FALSE;
    }
    BYTE abMac[6];
    ParseMacText(strTyped, abMac);
    if (abMac[0] & 0x01)
    {
        ShowMacError(*this, IDS_ACL_MULTICAST_MAC, TRUE);
        return FALSE;
    }
    strListed = ListedForm(strTyped);
    if (m_listPeers.FindStringExact(-1, strListed) != LB_ERR)
    {
        ShowMacError(*this, IDS_ACL_DUPLICATED_MAC, FALSE);
        return FALSE;
    }
    return TRUE;
}

void CWdsPage::OnAdd()
{
    UpdateData(TRUE);
    CString strListed;
    if (m_listPeers.GetCount() >= WDS_MAX_PEERS || !CheckMac(m_strMac, strListed))
        return;
    m_listPeers.AddString(strListed);
    UpdateEnableState();
}

void CWdsPage::OnDelete()
{
    int nSel = m_listPeers.GetCurSel();
    if (nSel != LB_ERR)
        m_listPeers.DeleteString(nSel);
    UpdateEnableState();
}

void CWdsPage::OnRemoveAll()
{
    m_listPeers.ResetContent();
    UpdateEnableState();
}

void CWdsPage::OnListDoubleClick()
{
    int nSel = m_listPeers.GetCurSel();
    if (nSel == LB_ERR)
        return;
    CString strListed;
    m_listPeers.GetText(nSel, strListed);
    m_strModifyMac = TypedForm(strListed);
    UpdateData(FALSE);
    SetText(*this, IDC_WDS_MODIFY, IDS_ACL_MODIFY);
    SetText(*this, IDC_WDS_CANCEL, IDS_CANCEL);
    const int anOff[] = {IDC_WDS_APPLY, IDC_WDS_ENABLE, IDC_WDS_DISABLE,    IDC_WDS_LIST,
                         IDC_WDS_ADD,   IDC_WDS_DELETE, IDC_WDS_REMOVE_ALL, IDC_WDS_MAC_EDIT};
    for (int nId : anOff)
        GetDlgItem(nId)->EnableWindow(FALSE);
    const int anShown[] = {IDC_WDS_MODIFY_EDIT, IDC_WDS_MODIFY, IDC_WDS_CANCEL};
    // The edit over the row, its two buttons beside it.
    CRect rcRow;
    m_listPeers.GetItemRect(nSel, &rcRow);
    m_listPeers.ClientToScreen(&rcRow);
    ScreenToClient(&rcRow);
    m_editModify.MoveWindow(rcRow.left, rcRow.top, 90, rcRow.Height() - 1);
    GetDlgItem(IDC_WDS_MODIFY)->MoveWindow(rcRow.left + 91, rcRow.top, 55, rcRow.Height() - 1);
    GetDlgItem(IDC_WDS_CANCEL)->MoveWindow(rcRow.left + 147, rcRow.top, 55, rcRow.Height() - 1);
    for (int nId : anShown)
        GetDlgItem(nId)->ShowWindow(SW_SHOW);
    m_editModify.SetFocus();
    m_listPeers.Invalidate();
}

void CWdsPage::OnModify()
{
    UpdateData(TRUE);
    int nSel = m_listPeers.GetCurSel();
    CString strListed;
    if (nSel == LB_ERR || !CheckMac(m_strModifyMac, strListed))
        return;
    m_listPeers.DeleteString(nSel);
    m_listPeers.InsertString(nSel, strListed);
    EndInPlaceEdit();
}

void CWdsPage::OnCancelModify()
{
    EndInPlaceEdit();
}

void CWdsPage::EndInPlaceEdit()
{
    if (m_hWnd == 0)
        return;
    m_strModifyMac.Empty();
    SetDlgItemText(IDC_WDS_MODIFY_EDIT, "");
    const int anHidden[] = {IDC_WDS_MODIFY_EDIT, IDC_WDS_MODIFY, IDC_WDS_CANCEL};
    for (int nId : anHidden)
        GetDlgItem(nId)->ShowWindow(SW_HIDE);
    const int anOn[] = {IDC_WDS_APPLY, IDC_WDS_ENABLE, IDC_WDS_DISABLE};
    for (int nId : anOn)
        GetDlgItem(nId)->EnableWindow(TRUE);
    UpdateEnableState();
}

void CWdsPage::BuildWdsRecord(BYTE* pRecord) const
{
    AP_WDS_CONFIG wds;
    memset(&wds, 0, sizeof(wds));
    if (m_nWdsEnable == 0)
    {
        int nPeers = m_listPeers.GetCount();
        if (nPeers > WDS_MAX_PEERS)
            nPeers = WDS_MAX_PEERS;
        for (int i = 0; i < nPeers; i++)
        {
            CString strListed;
            m_listPeers.GetText(i, strListed);
            ParseMacText(TypedForm(strListed), wds.Peers[i]);
        }
        wds.Count = static_cast<DWORD>(nPeers);
        if (IsApPskAuthMode(g_nApAuthMode))
        {
            BYTE abHash[40];
            memset(abHash, 0, sizeof(abHash));
            if (PasswordHash(g_strApPassphrase, kWdsPageSalt, sizeof(kWdsPageSalt), abHash))
            {
                wds.KeyLength = sizeof(wds.Key);
                memcpy(wds.Key, abHash, sizeof(wds.Key));
            }
        }
    }
    memcpy(pRecord, &wds, sizeof(wds));
}

void CWdsPage::OnApplyButton()
{
    UpdateData(TRUE);
    HKEY hDefault = OpenMachineKey(g_strDriverKey + "\\ApDefault", KEY_ALL_ACCESS);
    if (hDefault == 0)
        return;
    CString strEnable;
    strEnable.Format("%d", m_nWdsEnable);
    if (SetDriverText(hDefault, "WdsEnable", strEnable) != ERROR_SUCCESS)
        ReportRegistryFailure("RegSetValueEx REGSTR_WDS_ENABLE '%s' failed\n", strEnable);
    // One 12-digit text and its zero an entry, then the closing zero.
    std::vector<BYTE> list;
    for (int i = 0; i < m_listPeers.GetCount(); i++)
    {
        CString strListed;
        m_listPeers.GetText(i, strListed);
        CString strTyped = TypedForm(strListed);
        list.insert(list.end(), strTyped.GetString(), strTyped.GetString() + strTyped.GetLength());
        list.push_back(0);
    }
    list.push_back(0);
    if (RegSetValueExA(hDefault, "WdsList", 0, REG_MULTI_SZ, list.data(),
                       static_cast<DWORD>(list.size())) != ERROR_SUCCESS)
        ReportRegistryFailure("RegSetValueEx REGSTR_WDS_LIST '%s' failed\n", "WdsList");
    HKEY hDriver = OpenMachineKey(g_strDriverKey, KEY_ALL_ACCESS);
    if (hDriver != 0)
    {
        CopyRegistryValues(hDefault, hDriver);
        RegCloseKey(hDriver);
    }
    RegCloseKey(hDefault);

    BYTE abRecord[sizeof(AP_WDS_CONFIG)];
    BuildWdsRecord(abRecord);
    DWORD dwBytes = 0;
    OidSetInformation(OID_AP_WDS_SET, abRecord, sizeof(abRecord), &dwBytes, 3);
}

#include "client/profiles/ProfilePage.h"

#include "adapter/registry/RegistryCopy.h"
#include "client/access/AdapterState.h"
#include "client/access/PrivateMessages.h"
#include "client/access/WlanConnector.h"
#include "client/access/WlanProfileManager.h"
#include "client/app/ProgramObjects.h"
#include "client/app/SettingsStore.h"
#include "client/monitor/ClientGlobals.h"
#include "client/monitor/HideDlg.h"
#include "client/profiles/CertSelections.h"
#include "client/profiles/ProfileSheet.h"
#include "client/profiles/ProfileStore.h"
#include "client/profiles/SetOidFromReg.h"
#include "resources/TessarynUI/resource.h"

#include <cstdlib>
#include <cstring>

#define PROFILE_TIMER_ID 2
#define PROFILE_TIMER_PERIOD 2000
#define PROFILE_VALUE_SIZE 128

CPropertySheet* g_pProfileEditor = NULL;

BOOL ProfileEditorOpen()
{
    return g_pProfileEditor != NULL && g_pProfileEditor->m_hWnd != 0 &&
           ::IsWindow(g_pProfileEditor->m_hWnd);
}

namespace
{

struct ColumnDef
{
    UINT nTitle;
    double dFactor;
};
const ColumnDef kColumns[] = {{IDS_COL_PROFILE_NAME, 1.7}, {IDS_COL_SSID, 2.1},
                              {IDS_COL_CHANNEL, 1.2},      {IDS_COL_AUTHENTICATION, 1.8},
                              {IDS_COL_ENCRYPTION, 1.5},   {IDS_COL_NETWORK_TYPE, 1.7}};

CString ReadProfileValue(LPCSTR pszSection, LPCSTR pszKey)
{
    char szValue[PROFILE_VALUE_SIZE] = {0};
    GetIniValue(g_strNetCfgInstanceId, INI_KIND_PROFILE, pszSection, pszKey, szValue,
                sizeof szValue);
    return szValue;
}

// The row texts of the profile the editor holds after a save.
void EditorRowTexts(CProfileSheet* pSheet, BOOL bLeapEncryption, CString& strAuth,
                    CString& strEncryption, CString& strNetworkType)
{
    CAuthSecuPage& auth = pSheet->m_AuthSecuPage;
    strAuth = AuthenticationText(auth.m_nAuthMode, auth.m_bLeap, auth.m_bUse8021x);
    int nEncryption = auth.m_nEncryptIndex; // the stored code since the save
    if (bLeapEncryption && auth.m_bLeap)
        nEncryption = auth.m_nLeapEncryption == 1 ? 4 : (auth.m_nLeapEncryption == 2 ? 6 : 0);
    strEncryption = EncryptionText(nEncryption);
    strNetworkType = NetworkTypeText(pSheet->m_SysConfigPage.m_nNetworkType);
}

// After a modal run of the editor: when the main sheet closed it, the sheet (and this page)
// may be gone, so only globals are touched and the editor is left for the next open.
void FinishEditorRun()
{
    if (g_bSheetClosing == 1)
    {
        SetEvent(g_evtProfileEditor);
        return;
    }
    delete g_pProfileEditor;
    g_pProfileEditor = NULL;
}

} // namespace

IMPLEMENT_DYNCREATE(CProfilePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CProfilePage, CPropertyPage)
ON_BN_CLICKED(IDC_PROFILE_ADD, OnAddProfile)
ON_BN_CLICKED(IDC_PROFILE_DELETE, OnDeleteProfile)
ON_BN_CLICKED(IDC_PROFILE_EDIT, OnEditProfile)
ON_BN_CLICKED(IDC_PROFILE_ACTIVATE, OnActivateProfile)
ON_NOTIFY(NM_DBLCLK, IDC_PROFILE_LIST, OnDblclkProfileList)
ON_WM_TIMER()
ON_WM_DESTROY()
ON_MESSAGE(WM_PROFILE_EDIT_STATE, OnEditProfileState)
END_MESSAGE_MAP()

CProfilePage::CProfilePage() : CPropertyPage(CProfilePage::IDD, IDS_PAGE_PROFILE), m_nTimerId(0)
{
    g_pProfileEditor = NULL;
}

CProfilePage::~CProfilePage() {}

void CProfilePage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROFILE_LIST, m_ProfileList);
}

BOOL CProfilePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();

    CRect rect;
    m_ProfileList.GetWindowRect(&rect);
    int nUnit = rect.Width() / 10;
    for (int i = 0; i < static_cast<int>(sizeof kColumns / sizeof kColumns[0]); i++)
    {
        CString strTitle;
        strTitle.LoadString(kColumns[i].nTitle);
        m_ProfileList.InsertColumn(i, strTitle, LVCFMT_LEFT,
                                   static_cast<int>(nUnit * kColumns[i].dFactor));
    }
    m_ProfileList.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);

    m_ImageListLarge.Create(32, 32, ILC_COLOR8 | ILC_MASK, 1, 1);
    m_ImageListSmall.Create(16, 16, ILC_COLOR8 | ILC_MASK, 1, 1);
    CWinApp* pApp = AfxGetApp();
    for (UINT nIcon : {IDI_PROFILE, IDI_PROFILE_ACTIVE})
    {
        HICON hIcon = pApp != NULL ? pApp->LoadIcon(nIcon) : ::LoadIconA(0, MAKEINTRESOURCE(nIcon));
        m_ImageListLarge.Add(hIcon);
        m_ImageListSmall.Add(hIcon);
    }
    m_ProfileList.SetImageList(&m_ImageListSmall, LVSIL_SMALL);

    LoadProfileList();

    CString strText;
    strText.LoadString(IDS_PROFILE_LIST);
    SetDlgItemText(IDC_PROFILE_GROUP, strText);
    const UINT kButtons[][2] = {{IDC_PROFILE_ADD, IDS_PROFILE_ADD},
                                {IDC_PROFILE_DELETE, IDS_PROFILE_DELETE},
                                {IDC_PROFILE_EDIT, IDS_PROFILE_EDIT},
                                {IDC_PROFILE_ACTIVATE, IDS_PROFILE_ACTIVATE}};
    for (const auto& button : kButtons)
    {
        strText.LoadString(button[1]);
        SetDlgItemText(button[0], strText);
    }
    if (IsProfileEditBusy())
        GetDlgItem(IDC_PROFILE_ACTIVATE)->EnableWindow(FALSE);

    m_nTimerId = SetTimer(PROFILE_TIMER_ID, PROFILE_TIMER_PERIOD, NULL);
    return TRUE;
}

void CProfilePage::EnableRowButtons(BOOL bEnable)
{
    for (int nID : {IDC_PROFILE_DELETE, IDC_PROFILE_EDIT, IDC_PROFILE_ACTIVATE})
    {
        CWnd* pButton = GetDlgItem(nID);
        if (pButton != NULL)
            pButton->EnableWindow(bEnable);
    }
}

int CProfilePage::SelectedRow()
{
    return m_ProfileList.GetNextItem(-1, LVNI_SELECTED);
}

void CProfilePage::LoadProfileList()
{
    m_ProfileList.DeleteAllItems();
    char szCurrent[PROFILE_VALUE_SIZE] = {0};
    GetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "CurProfile", szCurrent,
                sizeof szCurrent);
    if (szCurrent[0] != '\0')
        m_strCurProfile = szCurrent;

    CStringArray names;
    GetIniSectionNames(g_strNetCfgInstanceId, names);
    int nCurrentRow = -1;
    for (int i = 0; i < names.GetSize(); i++)
    {
        CString strName = names.GetAt(i);
        if (strName == m_strCurProfile)
            nCurrentRow = i;
        CString strChannel = ChannelTextFromStored(ReadProfileValue(strName, "Channel"));
        CString strSsid = ReadProfileValue(strName, "SSID");
        int nAuth = atoi(ReadProfileValue(strName, "AuthenType"));
        if (nAuth < 0 || nAuth > 7)
            nAuth = 0;
        BOOL b8021x = g_bAllowSecuredConnect && atoi(ReadProfileValue(strName, "Use8021X")) != 0;
        BOOL bLeap = atoi(ReadProfileValue(strName, "LeapEnabled")) != 0;
        CString strAuth = AuthenticationText(nAuth, bLeap, b8021x);
        CString strEncryption;
        CString strValue = ReadProfileValue(strName, "Encryption");
        if (!strValue.IsEmpty())
            strEncryption = EncryptionText(atoi(strValue));
        CString strNetworkType;
        strValue = ReadProfileValue(strName, "NetworkType");
        if (!strValue.IsEmpty())
            strNetworkType = NetworkTypeText(atoi(strValue));
        InsertProfileRow(strName, strSsid, strChannel, strAuth, strEncryption, strNetworkType);
    }

    if (names.GetSize() == 0)
        EnableRowButtons(FALSE);
    else if (nCurrentRow < 0)
        m_strCurProfile.Empty();
}

int CProfilePage::InsertProfileRow(LPCSTR pszName, LPCSTR pszSsid, LPCSTR pszChannel,
                                   LPCSTR pszAuth, LPCSTR pszEncryption, LPCSTR pszNetworkType)
{
    int nItem = m_ProfileList.InsertItem(m_ProfileList.GetItemCount(), pszName);
    SetProfileRowTexts(nItem, pszSsid, pszChannel, pszAuth, pszEncryption, pszNetworkType);
    return nItem;
}

void CProfilePage::SetProfileRowTexts(int nItem, LPCSTR pszSsid, LPCSTR pszChannel, LPCSTR pszAuth,
                                      LPCSTR pszEncryption, LPCSTR pszNetworkType)
{
    m_ProfileList.SetItemText(nItem, 1, pszSsid);
    m_ProfileList.SetItemText(nItem, 2, pszChannel);
    m_ProfileList.SetItemText(nItem, 3, pszAuth);
    m_ProfileList.SetItemText(nItem, 4, pszEncryption);
    m_ProfileList.SetItemText(nItem, 5, pszNetworkType);
}

BOOL CProfilePage::IsCurrentProfileRow(int nItem)
{
    return m_ProfileList.GetItemText(nItem, 0) == m_strCurProfile;
}

CString CProfilePage::NextProfileName()
{
    CString strPrefix;
    strPrefix.LoadString(IDS_PROFILE_PREFIX);
    int nHighest = 0;
    for (int i = 0; i < m_ProfileList.GetItemCount(); i++)
    {
        CString strName = m_ProfileList.GetItemText(i, 0);
        strName.MakeUpper();
        if (strName.Left(strPrefix.GetLength()) != strPrefix)
            continue;
        int nNumber = atoi(strName.Mid(4));
        if (nNumber > nHighest)
            nHighest = nNumber;
    }
    CString strNext;
    strNext.Format("%s%d", (LPCSTR)strPrefix, nHighest + 1);
    strNext.Trim();
    return strNext;
}

int CProfilePage::AddProfile(LPCSTR pszSsid, int nEncryption, int nAuthMode, int nNetworkType,
                             int nChannel)
{
    // A handler can run again inside the editor's modal loop (a posted command, a timer): the
    // sheet whose loop runs must be neither deleted nor replaced.
    if (ProfileEditorOpen())
        return 0;
    if (g_pProfileEditor != NULL)
    {
        delete g_pProfileEditor;
        g_pProfileEditor = NULL;
    }
    CProfileSheet* pSheet = new CProfileSheet(IDS_ADD_PROFILE, this);
    g_pProfileEditor = pSheet;
    pSheet->SetupProfile(NextProfileName(), pszSsid, nEncryption, nAuthMode, 1, nNetworkType,
                         nChannel);
    g_bSheetClosing = 0;
    INT_PTR nResult = pSheet->DoModal();
    if (g_bSheetClosing == 1)
    {
        // 0 also keeps the caller from touching its own (closing) sheet.
        FinishEditorRun();
        return 0;
    }

    int nSaved = 0;
    if (nResult == IDOK)
    {
        CSysConfigPage& sys = pSheet->m_SysConfigPage;
        CString strAuth, strEncryption, strNetworkType;
        EditorRowTexts(pSheet, FALSE, strAuth, strEncryption, strNetworkType);
        int nItem = InsertProfileRow(sys.m_strProfileName, sys.m_strSsid, sys.m_strChannel, strAuth,
                                     strEncryption, strNetworkType);
        m_ProfileList.SetItemState(nItem, LVIS_SELECTED | LVIS_FOCUSED,
                                   LVIS_SELECTED | LVIS_FOCUSED);
        m_ProfileList.SetFocus();
        EnableRowButtons(TRUE);
        nSaved = 1;
    }
    FinishEditorRun();
    return nSaved;
}

void CProfilePage::OnAddProfile()
{
    // The open editor's certificate choices are its own.
    if (ProfileEditorOpen())
        return;
    ClearCertSelections();
    AddProfile("", 1, 0, 1, 1);
}

void CProfilePage::OnEditProfile()
{
    int nItem = SelectedRow();
    if (nItem < 0)
    {
        AfxMessageBox(IDS_NO_SELECTED_ITEM, MB_OK);
        return;
    }
    if (ProfileEditorOpen())
        return;
    if (g_pProfileEditor != NULL)
    {
        delete g_pProfileEditor;
        g_pProfileEditor = NULL;
    }
    CProfileSheet* pSheet = new CProfileSheet(IDS_EDIT_PROFILE, this);
    g_pProfileEditor = pSheet;
    CString strName = m_ProfileList.GetItemText(nItem, 0);
    strName.Trim();
    pSheet->SetupProfile(strName, "", 0, 0, 0, 1, 0);
    g_bSheetClosing = 0;
    INT_PTR nResult = pSheet->DoModal();
    if (g_bSheetClosing == 1)
    {
        FinishEditorRun();
        return;
    }

    if (nResult == IDOK)
    {
        CSysConfigPage& sys = pSheet->m_SysConfigPage;
        CString strAuth, strEncryption, strNetworkType;
        EditorRowTexts(pSheet, TRUE, strAuth, strEncryption, strNetworkType);
        if (sys.m_strProfileName != strName)
            InsertProfileRow(sys.m_strProfileName, sys.m_strSsid, sys.m_strChannel, strAuth,
                             strEncryption, strNetworkType);
        else
            SetProfileRowTexts(nItem, sys.m_strSsid, sys.m_strChannel, strAuth, strEncryption,
                               strNetworkType);
    }
    FinishEditorRun();
}

void CProfilePage::OnDblclkProfileList(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnEditProfile();
    *pResult = 0;
}

void CProfilePage::OnDeleteProfile()
{
    int nItem = SelectedRow();
    if (nItem < 0)
    {
        AfxMessageBox(IDS_NO_SELECTED_ITEM, MB_OK);
        return;
    }
    if (IsCurrentProfileRow(nItem))
        ResetCurrentConfig(this);

    CString strSsid = m_ProfileList.GetItemText(nItem, 1);
    WlanProfileManager* pManager =
        g_pHideDlg != NULL ? g_pHideDlg->m_WifiClient.GetProfileManager() : NULL;
    if (pManager != NULL && pManager->WlanProfileExists(strSsid))
    {
        WCHAR szName[33] = {0};
        MultiByteToWideChar(CP_ACP, 0, strSsid, -1, szName, 32);
        szName[32] = 0;
        pManager->DeleteWlanProfile(szName);
    }

    CString strName = m_ProfileList.GetItemText(nItem, 0);
    m_ProfileList.DeleteItem(nItem);
    DeleteIniSection(g_strNetCfgInstanceId, strName);

    int nCount = m_ProfileList.GetItemCount();
    if (nCount == 0)
    {
        EnableRowButtons(FALSE);
        return;
    }
    int nSelect = nItem < nCount ? nItem : nCount - 1;
    m_ProfileList.SetItemState(nSelect, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CProfilePage::OnActivateProfile()
{
    int nItem = SelectedRow();
    if (nItem < 0)
    {
        AfxMessageBox(IDS_NO_SELECTED_ITEM, MB_OK);
        return;
    }
    m_strCurProfile = m_ProfileList.GetItemText(nItem, 0);
    m_strCurSsid = m_ProfileList.GetItemText(nItem, 1);
    ActivateProfile(nItem);
}

int CProfilePage::ActivateProfile(int nItem)
{
    SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "CurProfile", m_strCurProfile);
    // The Site Survey page keeps no connect-state flags of its own to clear here.
    CString strSection = m_ProfileList.GetItemText(nItem, 0);
    CopyIniSection(g_strNetCfgInstanceId, strSection);
    g_bProfileApplied = 1;
    SetOidFromReg(0, m_strCurProfile, 1);

    CString strError;
    HKEY hDriverKey = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &hDriverKey) !=
        ERROR_SUCCESS)
    {
        strError.Format("RegOpenKeyEx '%hs' failed\n", (LPCSTR)g_strDriverKey);
        return 0;
    }
    // Driver-key texts carry no terminating zero.
    if (RegSetValueExA(hDriverKey, "CurProfile", 0, REG_SZ,
                       reinterpret_cast<const BYTE*>((LPCSTR)m_strCurProfile),
                       m_strCurProfile.GetLength()) != ERROR_SUCCESS)
        strError.Format("RegSetValueEx REGSTR_KEY_CURPROFILE '%s' failed\n",
                        (LPCSTR)m_strCurProfile);

    CString strStationKey = g_strDriverKey + "\\Profile\\Station\\" + m_strCurProfile;
    HKEY hStationKey = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, strStationKey, 0, KEY_ALL_ACCESS, &hStationKey) !=
        ERROR_SUCCESS)
    {
        strError.Format("RegOpenKeyEx '%hs' failed\n", (LPCSTR)strStationKey);
        RegCloseKey(hDriverKey);
        return 0;
    }
    CopyRegistryKeyValues(hStationKey, hDriverKey);
    RegCloseKey(hStationKey);
    RegCloseKey(hDriverKey);
    return 1;
}

LRESULT CProfilePage::OnEditProfileState(WPARAM wParam, LPARAM lParam)
{
    CWnd* pButton = GetDlgItem(IDC_PROFILE_ACTIVATE);
    if (pButton != NULL)
        pButton->EnableWindow(wParam == 1);
    return 0;
}

void CProfilePage::OnTimer(UINT_PTR nIDEvent)
{
    CPropertyPage::OnTimer(nIDEvent);
}

void CProfilePage::OnDestroy()
{
    CPropertyPage::OnDestroy();
    if (m_nTimerId != 0)
    {
        KillTimer(m_nTimerId);
        m_nTimerId = 0;
    }
}

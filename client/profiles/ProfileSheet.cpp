#include "client/profiles/ProfileSheet.h"

#include "client/access/AdapterState.h"
#include "client/app/SettingsStore.h"
#include "client/monitor/ClientGlobals.h"
#include "client/profiles/ProfileStore.h"
#include "client/sheet/VnPropSheet.h"
#include "resources/TessarynUI/resource.h"

#include <cstdlib>
#include <cstring>

#define PROFILE_NAME_MAX 100

namespace
{

BOOL IsHexText(LPCSTR psz)
{
    for (; *psz != '\0'; psz++)
        if (!((*psz >= '0' && *psz <= '9') || (*psz >= 'a' && *psz <= 'f') ||
              (*psz >= 'A' && *psz <= 'F')))
            return FALSE;
    return TRUE;
}

BOOL HasLineBreak(LPCSTR psz)
{
    return strpbrk(psz, "\r\n") != NULL;
}

// Whether a section of that name exists in any letter case: the settings file matches section
// names without regard to case, so such a name would write into the other profile.
BOOL SectionExistsAnyCase(LPCSTR pszName)
{
    CStringArray names;
    GetIniSectionNames(g_strNetCfgInstanceId, names);
    for (int i = 0; i < names.GetSize(); i++)
        if (names.GetAt(i).CompareNoCase(pszName) == 0)
            return TRUE;
    return FALSE;
}

// One WEP key against its type's lengths; 0 when it passes, else the message to show.
UINT CheckWepKey(const CAuthSecuPage& auth, int nKey)
{
    if (auth.m_nWepKeyType[nKey] == 1)
    {
        int nLen = auth.m_strWepKeyAscii[nKey].GetLength();
        return nLen == 5 || nLen == 13 ? 0 : IDS_WEP_ASCII_LENGTH;
    }
    const CString& strHex = auth.m_strWepKeyHex[nKey];
    int nLen = strHex.GetLength();
    return (nLen == 10 || nLen == 26) && IsHexText(strHex) ? 0 : IDS_WEP_HEX_LENGTH;
}

BOOL IsWepKeyEmpty(const CAuthSecuPage& auth, int nKey)
{
    return auth.m_nWepKeyType[nKey] == 1 ? auth.m_strWepKeyAscii[nKey].IsEmpty()
                                         : auth.m_strWepKeyHex[nKey].IsEmpty();
}

} // namespace

IMPLEMENT_DYNAMIC(CProfileSheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CProfileSheet, CPropertySheet)
ON_WM_HELPINFO()
ON_COMMAND(IDHELP, OnHelp)
END_MESSAGE_MAP()

CProfileSheet::CProfileSheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage), m_bNewProfile(0), m_bSaved(0)
{
    AddProfilePages();
}

CProfileSheet::CProfileSheet(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage), m_bNewProfile(0), m_bSaved(0)
{
    AddProfilePages();
}

CProfileSheet::~CProfileSheet() {}

void CProfileSheet::AddProfilePages()
{
    // A second apply in one run would re-map the stored encryption code and, for a new
    // profile, fail its own duplicate check: OK is the only way to save.
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
    AddPage(&m_SysConfigPage);
    AddPage(&m_AuthSecuPage);
}

void CProfileSheet::OnHelp()
{
    CWinThread* pThread = AfxBeginThread(CVnPropSheet::HelpThreadProc, NULL, THREAD_PRIORITY_NORMAL,
                                         0, CREATE_SUSPENDED, NULL);
    if (pThread == NULL)
        return;
    g_hHelpThread = pThread->m_hThread;
    pThread->ResumeThread();
}

BOOL CProfileSheet::OnHelpInfo(HELPINFO* pHelpInfo)
{
    OnHelp();
    return TRUE;
}

void CProfileSheet::SetupProfile(LPCSTR pszName, LPCSTR pszSsid, int nEncryption, int nAuthMode,
                                 int bNewProfile, int nNetworkType, int nChannel)
{
    CSysConfigPage& sys = m_SysConfigPage;
    CAuthSecuPage& auth = m_AuthSecuPage;
    sys.m_strProfileName = pszName;
    m_strOpeningName = pszName;
    sys.m_strSsid = pszSsid;
    m_bNewProfile = static_cast<BYTE>(bNewProfile & 0xFF);

    auth.ReadCcx2Control();

    if (!m_bNewProfile)
    {
        LoadProfile();
        return;
    }

    auth.m_nAuthMode = nAuthMode;
    auth.m_nEncryptIndex = nEncryption;
    sys.m_nNetworkType = nNetworkType;
    auth.m_bInfrastructure = nNetworkType;
    if (nNetworkType == 0)
        sys.m_strChannel.Format("%d", nChannel);

    switch (nAuthMode)
    {
    case 5:
        auth.m_nAuthIndex = AUTH_INDEX_WPA_NONE;
        break;
    case 3:
        auth.m_nAuthIndex = AUTH_INDEX_WPA;
        break;
    case 4:
        auth.m_nAuthIndex = AUTH_INDEX_WPA_PSK;
        break;
    case 6:
        auth.m_nAuthIndex = OsHasWpa2() ? AUTH_INDEX_WPA2 : AUTH_INDEX_WPA;
        break;
    case 7:
        auth.m_nAuthIndex = OsHasWpa2() ? AUTH_INDEX_WPA2_PSK : AUTH_INDEX_WPA_PSK;
        break;
    default:
        break;
    }
    auth.m_nEncryptIndex = nEncryption == 0 || nEncryption == 6 ? 1 : 0;
    if (auth.m_nAuthIndex == AUTH_INDEX_WPA || auth.m_nAuthIndex == AUTH_INDEX_WPA2)
        auth.m_bUse8021x = 1;
}

void CProfileSheet::RefuseOnPage(CPropertyPage* pPage, UINT nIDPrompt)
{
    AfxMessageBox(nIDPrompt, MB_ICONERROR);
    SetActivePage(pPage);
}

int CProfileSheet::ApplyProfile()
{
    CSysConfigPage& sys = m_SysConfigPage;
    CAuthSecuPage& auth = m_AuthSecuPage;

    if (auth.m_hWnd != 0 && ::IsWindow(auth.m_hWnd))
        auth.SyncAuthControls(TRUE);
    if (sys.m_hWnd != 0 && ::IsWindow(sys.m_hWnd))
    {
        if (!sys.UpdateData(TRUE))
            return 0;
        // The channel combo exists only with the page's window.
        sys.StoreSelectedChannel();
    }

    sys.m_strProfileName.Trim();
    if (sys.m_strProfileName.IsEmpty())
    {
        RefuseOnPage(&sys, IDS_ENTER_PROFILE_NAME);
        return 0;
    }
    if (sys.m_strProfileName.GetLength() > PROFILE_NAME_MAX)
    {
        RefuseOnPage(&sys, IDS_PROFILE_NAME_TOO_LONG);
        return 0;
    }
    // The name is a section header of the profile file, which cannot hold these.
    if (!IsStorableProfileName(sys.m_strProfileName))
    {
        RefuseOnPage(&sys, IDS_PROFILE_NAME_CHARS);
        return 0;
    }
    if (sys.m_strSsid.IsEmpty())
    {
        RefuseOnPage(&sys, IDS_SSID_REQUIRED);
        return 0;
    }
    // A value holding a line break cannot be written: the profile would keep an old value.
    if (HasLineBreak(sys.m_strSsid))
    {
        RefuseOnPage(&sys, IDS_PROFILE_TEXT_LINE_BREAK);
        return 0;
    }
    BOOL bBreak =
        HasLineBreak(auth.m_strWpaPsk) || HasLineBreak(auth.m_strLeapUser) ||
        HasLineBreak(auth.m_strLeapPassword) || HasLineBreak(auth.m_dot1x.strID) ||
        HasLineBreak(auth.m_dot1x.strPassword) || HasLineBreak(auth.m_dot1x.strTunnelID) ||
        HasLineBreak(auth.m_dot1x.strTunnelPassword) || HasLineBreak(auth.m_dot1x.strServerName);
    for (int i = 0; i < WEP_KEY_COUNT; i++)
        bBreak = bBreak || HasLineBreak(auth.m_strWepKeyHex[i]) ||
                 HasLineBreak(auth.m_strWepKeyAscii[i]);
    if (bBreak)
    {
        RefuseOnPage(&auth, IDS_PROFILE_TEXT_LINE_BREAK);
        return 0;
    }

    if (!ValidateSecurity())
    {
        SetActivePage(&auth);
        return 0;
    }

    if (sys.m_nNetworkType == 1 && auth.m_nAuthIndex == AUTH_INDEX_LEAP)
    {
        auth.m_strLeapUser.Trim();
        if (auth.m_strLeapUser.IsEmpty() || auth.m_strLeapPassword.IsEmpty())
        {
            AfxMessageBox(IDS_LEAP_ID_PASSWORD, MB_ICONERROR);
            return 0;
        }
    }

    if (m_bNewProfile || sys.m_strProfileName != m_strOpeningName)
    {
        if (!m_bNewProfile && AfxMessageBox(IDS_CREATE_ANOTHER_PROFILE, MB_OKCANCEL) != IDOK)
        {
            SetActivePage(&sys);
            return 0;
        }
        // Any letter case: the settings file would write into the other profile's section.
        if (ProfileNameExists(sys.m_strProfileName) == 0 ||
            SectionExistsAnyCase(sys.m_strProfileName))
        {
            RefuseOnPage(&sys, IDS_DUPLICATE_PROFILE_NAME);
            return 0;
        }
    }

    SaveProfile();
    m_bSaved = 1;
    return 1;
}

int CProfileSheet::ValidateSecurity()
{
    CAuthSecuPage& auth = m_AuthSecuPage;
    BOOL bInfrastructure = m_SysConfigPage.m_nNetworkType == 1;
    int nMode = auth.m_nAuthMode;

    if (((nMode == 0 || nMode == 1) && auth.m_bUse8021x) ||
        ((nMode == 3 || nMode == 6) && bInfrastructure))
    {
        if (!auth.IsDot1xConfigValid())
            return 0;
    }

    if (nMode == 4 || nMode == 7 || (nMode == 5 && !bInfrastructure))
    {
        const CString& strKey = auth.m_strWpaPsk;
        int nLen = strKey.GetLength();
        // 8 to 63 characters of passphrase or 64 hex digits; nothing longer hashes to a key.
        BOOL bValid = nLen >= 8 && nLen <= 64 && (nLen < 64 || IsHexText(strKey));
        if (!bValid)
        {
            AfxMessageBox(nMode == 7 ? IDS_WPA2_PSK_INVALID : IDS_WPA_PSK_INVALID, MB_OK);
            return 0;
        }
    }

    if (auth.m_bUse8021x && auth.m_dot1x.nAuthenProtocol != DOT1X_METHOD_MD5)
        return 1;

    if (nMode == 1 || (nMode == 0 && auth.m_nEncryptIndex == 1 && !auth.m_bLeap))
    {
        int nDefault = auth.m_nDefaultKey;
        if (nDefault < 0 || nDefault >= WEP_KEY_COUNT)
            nDefault = 0;
        UINT nMessage = CheckWepKey(auth, nDefault);
        for (int i = 0; nMessage == 0 && i < WEP_KEY_COUNT; i++)
            if (!IsWepKeyEmpty(auth, i))
                nMessage = CheckWepKey(auth, i);
        if (nMessage != 0)
        {
            AfxMessageBox(nMessage, MB_OK);
            return 0;
        }
    }
    return 1;
}

int CProfileSheet::ProfileNameExists(LPCSTR pszName)
{
    return IniSectionExists(g_strNetCfgInstanceId, pszName) ? 0 : 1;
}
